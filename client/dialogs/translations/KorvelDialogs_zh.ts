<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>QMaskWidget</name>
    <message>
        <location filename="../QMaskWidget.ui" line="14"/>
        <source>QMaskWidget</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QPublicMsgDlg</name>
    <message>
        <location filename="../QPublicMsgDlg.ui" line="20"/>
        <source>QPublicMsgDlg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../QPublicMsgDlg.ui" line="130"/>
        <source>TextLabel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../QPublicMsgDlg.ui" line="177"/>
        <source>标题</source>
        <translation>标题</translation>
    </message>
    <message>
        <location filename="../QPublicMsgDlg.ui" line="234"/>
        <source>PushButton</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../QPublicMsgDlg.cpp" line="48"/>
        <source>I know</source>
        <translation>我知道了</translation>
    </message>
    <message>
        <location filename="../QPublicMsgDlg.cpp" line="63"/>
        <source>Notice</source>
        <translation>公告</translation>
    </message>
</context>
<context>
    <name>StartLoadWidget</name>
    <message>
        <location filename="../StartLoadWidget.ui" line="14"/>
        <source>StartLoadWidget</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
