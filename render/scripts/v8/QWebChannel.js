// Pages written for Qt's web channel construct a channel from qt.webChannelTransport and use
// channel.objects.ClientObj: they get the bridge object, synchronously in their callback.
function QWebChannel(transport, initCallback) {
    var channel = { objects: { ClientObj: window.ClientObject } };
    if (initCallback)
        initCallback(channel);
    return channel;
}
