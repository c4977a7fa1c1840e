<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>NotifyPopup</name>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>NotifyPopupStack</name>
    <message>
        <source>Notice</source>
        <translation>提示</translation>
    </message>
</context>
</TS>
