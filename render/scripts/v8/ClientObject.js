// The page's bridge object. A page that brings its own ClientObject keeps it and gains the
// bridge members, also when it assigns its object after this script has run; connections
// made before such an assignment stay, since the callback lists are shared.
var cef3 = {};
(function () {
    var mainNotifyFuncs = [];
    var RPCNotifyFuncs = [];
    function install(target) {
        target.MainCall = function (method, param) {
            native function MainCall(method, param);
            return MainCall.apply(this, arguments);
        };
        target.RPCCall = function (param) {
            native function RPCCall(param);
            return RPCCall.apply(this, arguments);
        };
        target.mainNotifyFuncs = mainNotifyFuncs;
        target.mainNotify = {
            connect: function (callback) { mainNotifyFuncs.push(callback); }
        };
        target.RPCNotifyFuncs = RPCNotifyFuncs;
        target.RPCNotify = {
            connect: function (callback) { RPCNotifyFuncs.push(callback); },
            disconnect: function (callback) {
                var index = RPCNotifyFuncs.indexOf(callback);
                if (index >= 0)
                    RPCNotifyFuncs.splice(index, 1);
            }
        };
        return target;
    }
    var current = window.ClientObject;
    if (current === null || (typeof current !== 'object' && typeof current !== 'function'))
        current = {};
    install(current);
    try {
        Object.defineProperty(window, 'ClientObject', {
            configurable: true,
            enumerable: true,
            get: function () { return current; },
            set: function (value) {
                if (value !== null && (typeof value === 'object' || typeof value === 'function'))
                    install(value);
                current = value;
            }
        });
    } catch (e) {
        // A fixed property of that name: its object has the members already.
    }
})();
// Calls the callbacks of a snapshot of the list, so that a callback that disconnects itself
// does not skip its neighbour, and one that throws does not starve the others.
function mainNotify(method, param) {
    var callbacks = ClientObject.mainNotifyFuncs.slice();
    for (var i = 0; i < callbacks.length; ++i) {
        try {
            callbacks[i](method, param);
        } catch (e) {
            setTimeout(function () { throw e; }, 0);
        }
    }
}
function RPCNotify(param) {
    var callbacks = ClientObject.RPCNotifyFuncs.slice();
    for (var i = 0; i < callbacks.length; ++i) {
        try {
            callbacks[i](param);
        } catch (e) {
            setTimeout(function () { throw e; }, 0);
        }
    }
}
