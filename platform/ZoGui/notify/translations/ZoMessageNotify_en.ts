<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>NotifyPopup</name>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>NotifyPopupStack</name>
    <message>
        <source>Notice</source>
        <translation>Notice</translation>
    </message>
</context>
</TS>
