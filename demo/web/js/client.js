/*
 * The page side of the client protocol, shared by every demo page.
 *
 * A page calls the client with KorvelClient.call(method, params): the envelope
 * {"method", "params"} goes as JSON text to ClientObject.RPCCall, which the client puts into
 * every page. The client answers and notifies through the global function RPCNotify(text);
 * pages subscribe per method with KorvelClient.on(method, handler(params, envelope)).
 *
 * Opened in a plain browser there is no ClientObject: calls are logged to the console
 * instead, so the pages stay usable for a look around.
 */
(function (global) {
    'use strict';

    var handlers = {};
    var traceHandlers = [];

    function clientObject() {
        var client = global.ClientObject;
        return client && typeof client.RPCCall === 'function' ? client : null;
    }

    function trace(direction, envelope) {
        traceHandlers.forEach(function (handler) {
            try {
                handler(direction, envelope);
            } catch (e) {
                console.warn('[KorvelClient] trace handler failed: ' + e);
            }
        });
    }

    // Sends one call. extra adds keys beside "method" and "params" (the message centre's
    // envelope carries "id" and "async" too).
    function call(method, params, extra) {
        var envelope = { method: method, params: params === undefined ? {} : params };
        if (extra) {
            Object.keys(extra).forEach(function (key) { envelope[key] = extra[key]; });
        }
        var text = JSON.stringify(envelope);
        var client = clientObject();
        if (client) {
            client.RPCCall(text);
        } else {
            console.log('[KorvelClient] no client; RPCCall ' + text);
        }
        trace('out', envelope);
        return envelope;
    }

    function on(method, handler) {
        (handlers[method] = handlers[method] || []).push(handler);
    }

    function onTrace(handler) {
        traceHandlers.push(handler);
    }

    // One notification from the client: compact or indented JSON text of the client envelope.
    function receive(text) {
        var envelope;
        try {
            envelope = typeof text === 'string' ? JSON.parse(text) : text;
        } catch (e) {
            console.warn('[KorvelClient] notification is not JSON: ' + text);
            return;
        }
        if (!envelope || typeof envelope !== 'object' || typeof envelope.method !== 'string') {
            console.warn('[KorvelClient] notification without a method: ' + text);
            return;
        }
        var params = envelope.params && typeof envelope.params === 'object' ? envelope.params : {};
        trace('in', envelope);
        (handlers[envelope.method] || []).slice().forEach(function (handler) {
            handler(params, envelope);
        });
    }

    // Where the client's script offers RPCNotify.connect, the global RPCNotify is its own and
    // fans out to connected functions; otherwise the page provides the global itself.
    var client = global.ClientObject;
    if (client && client.RPCNotify && typeof client.RPCNotify.connect === 'function') {
        client.RPCNotify.connect(receive);
    } else {
        global.RPCNotify = receive;
    }

    global.KorvelClient = {
        call: call,
        on: on,
        onTrace: onTrace,
        receive: receive,
        hasClient: function () { return clientObject() !== null; }
    };
})(window);
