/*
 * The modules of the demo web application. menuName, menuPath and menuNavigation make up the
 * "menuList" the client receives at login; veskId is the app-store id of a module whose
 * native plugins the client keeps up to date; view picks how app.js shows the module.
 */
(function (global) {
    'use strict';

    var HOME = '/client/firstPagePc';
    var NAVIGATION = '/#/client/navitation';
    var USER_INFO = '/#/client/showInfo';

    var list = [
        { menuName: 'Home', menuPath: HOME, menuNavigation: false, view: 'home' },
        { menuName: 'Navigation', menuPath: NAVIGATION, menuNavigation: false, view: 'navigation' },
        { menuName: 'Video playback', menuPath: '/basic/#/client/videoPlayBack',
          menuNavigation: true, veskId: 'video', view: 'plugin',
          text: 'Recorded video of the store cameras, played by the native video plugin.' },
        { menuName: 'Video shop tour', menuPath: '/evaluation/#/client/videoShop',
          menuNavigation: true, veskId: 'video', view: 'videoShop',
          text: 'A guided tour through the live video of one store.' },
        { menuName: 'Passenger flow', menuPath: '/passengerFlow/#/client/flowReport/flowOverView',
          menuNavigation: true, view: 'flow',
          text: 'Visitors per hour at the store entrances.' },
        { menuName: 'Alarm centre', menuPath: '/alarm/#/client/infoCenter',
          menuNavigation: true, view: 'alarm',
          text: 'Alarms and messages of the stores.' },
        { menuName: 'Video intercom', menuPath: '/client/VideoIntercom', menuNavigation: true,
          veskId: 'intercom', view: 'plugin',
          text: 'Talk to the door stations of the sites, through the intercom plugin.' },
        { menuName: 'Call records', menuPath: '/calen/#/client/callRecord', menuNavigation: true,
          view: 'plain', text: 'Calls of the door stations.' },
        { menuName: 'Video wall', menuPath: '/device/#/client/videoWall', menuNavigation: true,
          veskId: 'videowall', view: 'plugin',
          text: 'Layouts of the video wall, driven by the video-wall plugin.' },
        { menuName: 'Decoder matrix', menuPath: '/device/#/client/decompilerManage',
          menuNavigation: true, veskId: 'videowall', view: 'plugin',
          text: 'Decoders and their outputs.' },
        { menuName: 'Cash register video', menuPath: '/device/#/client/cashRegister',
          menuNavigation: true, veskId: 'video', view: 'plugin',
          text: 'Video of the tills beside their receipts.' },
        { menuName: 'Patrol configuration', menuPath: '/basic/#/client/wheelPatrolConfig',
          menuNavigation: true, view: 'plain',
          text: 'Cameras that the circular playback walks through.' },
        { menuName: 'Local settings', menuPath: '/client/localSettings', menuNavigation: true,
          view: 'settings', text: 'Settings this computer keeps for video and downloads.' }
    ];

    // The user's own page is reached from the client's user photo; it is not a menu.
    var userInfo = { menuName: 'My account', menuPath: USER_INFO, menuNavigation: false,
                     view: 'user' };

    function byPath(path) {
        var bare = String(path || '').split('?')[0];
        if (bare === USER_INFO) {
            return userInfo;
        }
        for (var i = 0; i < list.length; ++i) {
            if (list[i].menuPath === bare) {
                return list[i];
            }
        }
        return null;
    }

    function menuList() {
        return list.map(function (m) {
            return { menuName: m.menuName, menuPath: m.menuPath, menuNavigation: m.menuNavigation };
        });
    }

    global.DemoModules = {
        HOME: HOME,
        NAVIGATION: NAVIGATION,
        USER_INFO: USER_INFO,
        list: list,
        byPath: byPath,
        menuList: menuList
    };
})(window);
