<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>StartupSequence</name>
    <message>
        <location filename="../shell/StartupSequence.cpp" line="118"/>
        <source>Notice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../shell/StartupSequence.cpp" line="118"/>
        <source>Application had runned!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../shell/StartupSequence.cpp" line="224"/>
        <source>Title</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Web::CWebViewBase</name>
    <message>
        <location filename="../Web/CWebViewBase.cpp" line="217"/>
        <source>Json error:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../Web/CWebViewBase.cpp" line="225"/>
        <source>Json error: context is not format</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
