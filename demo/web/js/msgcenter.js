/*
 * The message centre shown in the client's message dialog. The client tells it where to go
 * ("ToRoute") and that the user logged out ("ReplyLoginOutSuccess"); opening a message sends
 * "MessageToClient", whose envelope also carries "id" and "async".
 */
(function (global) {
    'use strict';

    var client = global.KorvelClient;
    var document = global.document;
    var callId = 0;

    var messages = [
        { id: 'm1001', type: 1, title: 'Motion at the back door', site: 'Store 12, Lakeside' },
        { id: 'm1002', type: 2, title: 'Camera 4 went offline', site: 'Store 7, Old Town' },
        { id: 'm1003', type: 3, title: 'Door station call missed', site: 'Residence Parkview' },
        { id: 'm1004', type: 1, title: 'Till drawer open for 5 minutes', site: 'Store 12, Lakeside' }
    ];

    function showList() {
        var list = document.getElementById('messageList');
        list.textContent = '';
        document.getElementById('loggedOut').hidden = true;
        messages.forEach(function (message) {
            var item = document.createElement('li');
            var button = document.createElement('button');
            button.type = 'button';
            button.className = 'message-item type-' + message.type;
            button.setAttribute('data-id', message.id);
            var title = document.createElement('strong');
            title.textContent = message.title;
            var site = document.createElement('span');
            site.textContent = message.site;
            button.appendChild(title);
            button.appendChild(site);
            button.addEventListener('click', function () { openMessage(message); });
            item.appendChild(button);
            list.appendChild(item);
        });
    }

    function openMessage(message) {
        callId += 1;
        client.call('MessageToClient', { type: message.type, id: message.id },
                    { id: callId, async: false });
    }

    client.on('ToRoute', function (params) {
        document.getElementById('route').textContent = String(params.route || '');
        showList();
    });
    client.on('ReplyLoginOutSuccess', function () {
        document.getElementById('messageList').textContent = '';
        document.getElementById('route').textContent = '';
        document.getElementById('loggedOut').hidden = false;
    });

    showList();
})(window);
