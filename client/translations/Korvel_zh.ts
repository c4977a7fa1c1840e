<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>StartupSequence</name>
    <message>
        <location filename="../shell/StartupSequence.cpp" line="118"/>
        <source>Notice</source>
        <translation>提示</translation>
    </message>
    <message>
        <location filename="../shell/StartupSequence.cpp" line="118"/>
        <source>Application had runned!</source>
        <translation>程序已经在运行！</translation>
    </message>
    <message>
        <location filename="../shell/StartupSequence.cpp" line="224"/>
        <source>Title</source>
        <translation>消息提醒</translation>
    </message>
</context>
<context>
    <name>Web::CWebViewBase</name>
    <message>
        <location filename="../Web/CWebViewBase.cpp" line="217"/>
        <source>Json error:</source>
        <translation>Json错误：</translation>
    </message>
    <message>
        <location filename="../Web/CWebViewBase.cpp" line="225"/>
        <source>Json error: context is not format</source>
        <translation>Json错误：内容格式不正确</translation>
    </message>
</context>
</TS>
