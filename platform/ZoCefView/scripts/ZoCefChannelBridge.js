// Runs in the application world of every frame, where page script cannot reach it. It takes
// the calls that the page's ClientObject dispatches as DOM events on the document and the
// focus changes of the frame, and hands them to the client: through the web channel in the
// top frame, and from a sub-frame over a message port to the top frame's copy of this script
// (the channel's transport exists in the top frame only).
(function () {
    'use strict';
    var RELAY_HELLO = 'ZoCefRenderer.Relay';
    var send;

    if (window === window.top) {
        var bridge = null;
        var pending = [];
        // Writes are one-way messages of the channel, in order with each other.
        var call = function (message) {
            switch (message[0]) {
            case 'r': bridge.rpcCall = message[1]; break;
            case 'm': bridge.mainCall = [message[1], message[2]]; break;
            case 'f': bridge.focusedNodeEditable = message[1]; break;
            }
        };
        send = function (message) {
            if (bridge)
                call(message);
            else
                pending.push(message); // until the channel is up; order is kept
        };
        new QWebChannel(qt.webChannelTransport, function (channel) {
            bridge = channel.objects.ZoCefBridge;
            var queued = pending;
            pending = null;
            queued.forEach(call);
        });
        // Listeners of the application world come first: the page never sees the hello.
        window.addEventListener('message', function (event) {
            if (event.data !== RELAY_HELLO || event.ports.length !== 1)
                return;
            event.stopImmediatePropagation();
            event.ports[0].onmessage = function (portEvent) { send(portEvent.data); };
        }, true);
    } else {
        var relay = new MessageChannel();
        window.top.postMessage(RELAY_HELLO, '*', [relay.port2]);
        send = function (message) { relay.port1.postMessage(message); };
    }

    // The event's detail is a string: it is cloned from the page's world into this one.
    // Page script may dispatch these events itself: anything but the forms that ClientObject
    // sends is dropped.
    document.addEventListener('ZoCefRenderer.RPCCall', function (event) {
        if (typeof event.detail === 'string')
            send(['r', event.detail]);
    });
    document.addEventListener('ZoCefRenderer.MainCall', function (event) {
        var args = null;
        try {
            args = JSON.parse(event.detail);
        } catch (e) {
        }
        if (Array.isArray(args) && args.length === 2 && typeof args[0] === 'string'
            && typeof args[1] === 'string')
            send(['m', args[0], args[1]]);
    });

    // Editable elements are text controls, content-editable elements and ARIA text boxes.
    var TEXT_INPUTS = ['text', 'search', 'url', 'tel', 'email', 'password', 'number'];
    var isEditable = function (element) {
        if (!element || element.nodeType !== Node.ELEMENT_NODE)
            return false;
        if (element.isContentEditable)
            return true;
        var tag = element.localName;
        if (tag === 'textarea')
            return true;
        if (tag === 'input')
            return TEXT_INPUTS.indexOf(element.type) >= 0;
        return element.getAttribute('role') === 'textbox';
    };
    var isFrameOwner = function (element) {
        var tag = element && element.localName;
        return tag === 'iframe' || tag === 'frame' || tag === 'object' || tag === 'embed';
    };
    var focusedElement = function () {
        var element = document.activeElement;
        while (element && element.shadowRoot && element.shadowRoot.activeElement)
            element = element.shadowRoot.activeElement;
        return element;
    };
    var report = function (element) {
        // Focus inside a sub-frame is reported by that frame's copy of this script.
        if (!isFrameOwner(element))
            send(['f', isEditable(element)]);
    };
    document.addEventListener('focusin', function (event) {
        report(event.composedPath()[0]);
    }, true);
    document.addEventListener('focusout', function (event) {
        // With a related target a focusin follows. Without one, focus went to nothing, to
        // another frame or out of the window; look once the change is complete (a window
        // that merely lost focus keeps its focused element and reports no change).
        if (!event.relatedTarget)
            setTimeout(function () { report(focusedElement() || null); }, 0);
    }, true);
})();
