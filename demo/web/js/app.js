/*
 * The demo web application: login, navigation and module pages in one document, so that
 * the page keeps its state (and its conversation with the client) across module switches.
 */
(function (global) {
    'use strict';

    var client = global.KorvelClient;
    var modules = global.DemoModules;
    var document = global.document;

    var PRODUCT_NAME = 'Korvel Demo';
    var MANUAL_PATH = '/manual/index.html';
    var ALARM_PATH = '/alarm/#/client/infoCenter';
    var TRACE_LIMIT = 60;

    var state = {
        user: null,        // the login's user keys, logo and environment
        password: '',
        current: null,     // the module shown
        fullScreen: false,
        visibleMenus: [],
        lastMessage: null, // the message-centre entry the user opened last
        settings: null     // the last "GetLocalConfig" reply
    };

    function byId(id) {
        return document.getElementById(id);
    }

    function field(root, name) {
        return root.querySelector('[data-field="' + name + '"]');
    }

    // Requests to the service, with the session token once there is one.
    // keepalive lets a logout go out while the page is closing.
    function api(method, path, body, keepalive) {
        var headers = { 'Content-Type': 'application/json;charset=utf-8' };
        if (state.user && state.user.token) {
            headers.Authorization = state.user.token;
        }
        return fetch(path, {
            method: method,
            headers: headers,
            body: body === undefined ? undefined : JSON.stringify(body),
            keepalive: keepalive === true
        }).then(function (response) {
            return response.text().then(function (text) {
                var json = null;
                try {
                    json = text ? JSON.parse(text) : null;
                } catch (e) {
                    json = null;
                }
                return { status: response.status, json: json };
            });
        });
    }

    // --- Login and logout -----------------------------------------------------------------

    function showLogin(message) {
        state.user = null;
        state.current = null;
        state.visibleMenus = [];
        try {
            global.localStorage.removeItem('korvelDemoToken');
        } catch (e) { /* storage may be off */ }
        byId('appView').hidden = true;
        byId('guideOverlay').hidden = true;
        byId('loginView').hidden = false;
        byId('password').value = '';
        setLoginError(message || '');
        byId('loginButton').disabled = false;
    }

    function setLoginError(text) {
        var error = byId('loginError');
        error.textContent = text;
        error.hidden = !text;
    }

    function onLoginSubmit(event) {
        event.preventDefault();
        var userName = byId('userName').value.trim();
        var password = byId('password').value;
        if (!userName) {
            setLoginError('Enter a user name.');
            return;
        }
        byId('loginButton').disabled = true;
        setLoginError('');
        api('POST', '/session/login', { userName: userName, password: password })
            .then(function (answer) {
                if (answer.status === 200 && answer.json && answer.json.data) {
                    completeLogin(answer.json.data, password);
                    return;
                }
                byId('loginButton').disabled = false;
                setLoginError(answer.status === 401
                    ? 'Wrong user name or password. The password is "demo".'
                    : 'The service answered ' + answer.status + '.');
            })
            .catch(function () {
                byId('loginButton').disabled = false;
                setLoginError('The service cannot be reached.');
            });
    }

    function userKeys(user) {
        return {
            userName: String(user.userName || ''),
            name: String(user.name || ''),
            userType: String(user.userType || ''),
            userPhoto: String(user.userPhoto || ''),
            accountType: Number(user.accountType) || 0,
            phone: String(user.phone || ''),
            companyId: Number(user.companyId) || 0,
            id: user.id,
            token: String(user.token || ''),
            qrToken: String(user.qrToken || ''),
            salt: String(user.salt || '')
        };
    }

    function completeLogin(user, password) {
        state.user = user;
        state.password = password;
        try {
            global.localStorage.setItem('korvelDemoToken', user.token || '');
        } catch (e) { /* storage may be off */ }

        client.call('LoginUserInfo', {
            userName: String(user.userName || ''),
            password: password,
            productName: PRODUCT_NAME,
            baseProductType: 1,
            instructionsUrl: MANUAL_PATH,
            envInfo: JSON.stringify(user.envInfo || {})
        });
        var login = userKeys(user);
        login.menuList = modules.menuList();
        login.noPossessPcBtnList = [];
        login.functionConfig = { waterMark: 0 };
        login.logoName = String(user.logoName || PRODUCT_NAME);
        login.logoImagePath = String(user.logoImagePath || '');
        client.call('NotifyLoginSucc', login);

        byId('loginView').hidden = true;
        byId('appView').hidden = false;
        openModule(modules.HOME);
    }

    function logout() {
        if (state.user) {
            api('POST', '/session/logout', {}, true).catch(function () { /* gone anyway */ });
        }
        client.call('NotifyLoginOut', {});
        showLogin('');
    }

    // The service refused the session (or the client reported a 401 of its own requests).
    function sessionExpired() {
        if (!state.user) {
            return;
        }
        client.call('NotifyLoginOut', {});
        showLogin('Your session has ended. Please log in again.');
    }

    function checkSession() {
        if (!state.user) {
            return;
        }
        api('GET', '/session/check').then(function (answer) {
            if (answer.status === 401) {
                sessionExpired();
            }
        }).catch(function () { /* offline: keep the page as it is */ });
    }

    // --- Modules --------------------------------------------------------------------------

    function openModule(path) {
        if (!state.user) {
            return;
        }
        var module = modules.byPath(path) || {
            menuName: String(path), menuPath: String(path).split('?')[0], view: 'plain',
            text: 'This module has no page in the demo.'
        };
        // Plugins first, so the client can bring them up to date before the module shows.
        if (module.veskId) {
            client.call('loadAppPluginsNotify', { veskId: module.veskId, menuPath: module.menuPath });
        }
        client.call('NotifySwitchMoudle', { menuPath: module.menuPath });
        render(module);
        checkSession();
    }

    function render(module) {
        state.current = module;
        byId('moduleTitle').textContent = module.menuName;
        byId('modulePath').textContent = module.menuPath;
        var body = byId('moduleBody');
        body.textContent = '';
        var template = byId('view-' + module.view) || byId('view-plain');
        body.appendChild(template.content.cloneNode(true));
        var text = field(body, 'text');
        if (text) {
            text.textContent = module.text || '';
        }
        (views[module.view] || function () {})(body, module);
    }

    function bindActions(root, actions) {
        root.querySelectorAll('[data-action]').forEach(function (button) {
            var action = actions[button.getAttribute('data-action')];
            if (action) {
                button.addEventListener('click', action);
            }
        });
    }

    var commonActions = {
        notice: function () {
            client.call('showPublicMsgDialog', {
                title: 'Maintenance tonight',
                content: 'The service is maintained from 23:00 to 23:30. Video stays available.'
            });
        },
        guide: function () {
            client.call('ShowUserGuide', {});
            if (!client.hasClient()) {
                byId('guideOverlay').hidden = false;
            }
        },
        quitGuide: function () {
            byId('guideOverlay').hidden = true;
            client.call('QuitUserGuide', {});
        },
        fullScreen: function () {
            client.call('FullScreen', { bFullScreen: !state.fullScreen });
            if (!client.hasClient()) {
                setFullScreen(!state.fullScreen);
            }
        },
        manual: function () {
            client.call('OpenUrl', { url: global.location.origin + MANUAL_PATH });
        },
        clientInfo: function () {
            client.call('GetClientInfo', {});
        },
        minimise: function () {
            client.call('MinSize', {});
        },
        logout: logout,
        exit: function () {
            client.call('CloseApp', {});
        }
    };

    var views = {
        home: function (root) {
            field(root, 'name').textContent = state.user.name || state.user.userName;
            bindActions(root, commonActions);
            updateFullScreenButton();
        },
        navigation: function (root) {
            var tiles = field(root, 'tiles');
            modules.list.forEach(function (module) {
                if (!module.menuNavigation) {
                    return;
                }
                var tile = document.createElement('button');
                tile.type = 'button';
                tile.className = 'tile';
                tile.textContent = module.menuName;
                tile.title = module.menuPath;
                tile.addEventListener('click', function () { openModule(module.menuPath); });
                tiles.appendChild(tile);
            });
        },
        plugin: function (root, module) {
            field(root, 'veskId').textContent = module.veskId;
            bindActions(root, {
                reloadPlugins: function () {
                    client.call('loadAppPluginsNotify',
                                { veskId: module.veskId, menuPath: module.menuPath });
                }
            });
        },
        videoShop: function (root, module) {
            bindActions(root, {
                closeVideoShop: function () {
                    client.call('CloseVideoShop', { menuCode: 'videoShop', menuPath: module.menuPath });
                    openModule(modules.NAVIGATION);
                }
            });
        },
        flow: function (root) {
            var bars = field(root, 'bars');
            [12, 30, 54, 41, 66, 80, 47, 25].forEach(function (value, hour) {
                var bar = document.createElement('div');
                bar.className = 'bar';
                bar.style.height = value + '%';
                bar.title = (hour + 10) + ':00 — ' + value + ' visitors';
                bars.appendChild(bar);
            });
        },
        alarm: function (root) {
            if (state.lastMessage) {
                field(root, 'message').textContent = 'Opened from the message centre: message "'
                    + state.lastMessage.id + '" of type ' + state.lastMessage.type + '.';
            }
            bindActions(root, {
                newMessage: function () { client.call('NewMessage', {}); }
            });
        },
        settings: function (root) {
            var form = field(root, 'form');
            form.addEventListener('submit', function (event) {
                event.preventDefault();
                saveSettings(form);
                field(root, 'status').textContent = 'Saved.';
            });
            bindActions(root, { readSettings: readSettings });
            if (state.settings) {
                fillSettings(form, state.settings);
            }
            readSettings();
        },
        user: function (root) {
            var form = field(root, 'form');
            field(root, 'photo').src = state.user.userPhoto || 'img/user.png';
            form.elements.userName.value = state.user.userName || '';
            form.elements.name.value = state.user.name || '';
            form.elements.phone.value = state.user.phone || '';
            form.addEventListener('submit', function (event) {
                event.preventDefault();
                state.user.name = form.elements.name.value;
                state.user.phone = form.elements.phone.value;
                client.call('UserInfoModify', userKeys(state.user));
            });
            bindActions(root, commonActions);
        }
    };

    // --- Local settings -------------------------------------------------------------------

    function readSettings() {
        client.call('LocalConfig', { isRead: true });
    }

    var settingTexts = ['videoPath', 'imgPath'];
    var settingFlags = ['isOnDev', 'isOnChn', 'isOnRate', 'isOnIvs', 'isOpenBallSwitch'];
    var settingNumbers = ['recordType', 'decodeType', 'talkType', 'streamType'];

    function fillSettings(form, settings) {
        settingTexts.forEach(function (key) {
            form.elements[key].value = String(settings[key] || '');
        });
        settingFlags.forEach(function (key) {
            form.elements[key].checked = settings[key] === true;
        });
        settingNumbers.forEach(function (key) {
            var select = form.elements[key];
            var value = String(Number(settings[key]) || 0);
            if (!Array.prototype.some.call(select.options, function (o) { return o.value === value; })) {
                var option = document.createElement('option');
                option.value = value;
                option.textContent = value;
                select.appendChild(option);
            }
            select.value = value;
        });
    }

    function saveSettings(form) {
        var params = { isRead: false };
        settingTexts.forEach(function (key) { params[key] = form.elements[key].value; });
        settingFlags.forEach(function (key) { params[key] = form.elements[key].checked; });
        settingNumbers.forEach(function (key) {
            params[key] = parseInt(form.elements[key].value, 10) || 0;
        });
        client.call('LocalConfig', params);
    }

    // --- Full screen and status -----------------------------------------------------------

    function setFullScreen(on) {
        state.fullScreen = on;
        document.body.classList.toggle('full-screen', on);
        updateFullScreenButton();
    }

    function updateFullScreenButton() {
        var button = document.querySelector('[data-action="fullScreen"]');
        if (button) {
            button.textContent = state.fullScreen ? 'Leave full screen' : 'Full screen';
        }
    }

    function addTrace(direction, envelope) {
        var list = byId('traceList');
        var item = document.createElement('li');
        item.className = direction;
        item.textContent = (direction === 'out' ? '→ ' : '← ') + envelope.method + ' '
            + JSON.stringify(envelope.params === undefined ? {} : envelope.params);
        list.insertBefore(item, list.firstChild);
        while (list.childNodes.length > TRACE_LIMIT) {
            list.removeChild(list.lastChild);
        }
    }

    // --- Notifications from the client ----------------------------------------------------

    client.on('ReplyClientInfo', function (params) {
        byId('clientInfo').textContent = 'Client ' + (params.version || '?') + ' on '
            + (params.sysVersion || '?') + ' (' + (params.sysBit || '?') + ' bit)';
    });
    client.on('MenuClicked', function (params) {
        openModule(params.menuPath || params.menuCode);
    });
    client.on('NotifyMenuNumUpdate', function (params) {
        state.visibleMenus = Array.isArray(params.visibleMenuPath) ? params.visibleMenuPath : [];
        byId('openModules').textContent = 'Open modules: ' + state.visibleMenus.length;
    });
    client.on('FullScreen', function (params) {
        setFullScreen(params.bFullScreen === true);
    });
    client.on('GetLocalConfig', function (params) {
        state.settings = params;
        if (state.current && state.current.view === 'settings') {
            var body = byId('moduleBody');
            fillSettings(field(body, 'form'), params);
            field(body, 'status').textContent = 'Settings as the client keeps them.';
        }
    });
    client.on('SendMessageToWeb', function (params) {
        state.lastMessage = { type: params.type, id: params.id };
        openModule(ALARM_PATH);
    });
    client.on('UserGuideResult', function (params) {
        if (params.result === true) {
            byId('guideOverlay').hidden = false;
        } else {
            client.call('QuitUserGuide', {});
        }
    });
    client.on('Notify401', sessionExpired);
    client.on('ExitApp', function () {
        byId('exitOverlay').hidden = false;
        if (state.user) {
            api('POST', '/session/logout', {}, true).catch(function () { /* closing anyway */ });
        }
    });
    client.onTrace(addTrace);

    byId('loginForm').addEventListener('submit', onLoginSubmit);
    byId('guideFinish').addEventListener('click', commonActions.quitGuide);

    client.call('WebInited', {});

    // "?autologin=<user>" logs that user in as soon as the page is up: measurements and
    // demonstrations start from a logged-in client without typing.
    var autologin = new URLSearchParams(global.location.search).get('autologin');
    if (autologin) {
        byId('userName').value = autologin;
        byId('password').value = 'demo';
        byId('loginForm').requestSubmit();
    }
})(window);
