#pragma once

#include <QMetaType>
#include <QString>

// Records of the configuration store. The stores hand them out by value and take them back
// by reference; a caller changes the fields it owns and writes the record back whole, so
// fields it does not know survive. Field order is part of the contract (callers address
// some fields by position).
namespace ConfigInfo {

// Overlays and decoding of the video windows.
struct VideoShow
{
    bool bShowRate = false; // stream rate
    bool bShowChannelName = true; // channel name
    bool bShowDevName = true; // device name
    bool bShowIvs = false; // intelligent-analysis overlay
    int nDecodeType = 0; // 0 CPU, 1 GPU
    int nCacheMode = 1; // 1 self-adaptive, 2 real-time priority, 3 smoothness priority

    bool operator==(const VideoShow &o) const
    {
        return bShowRate == o.bShowRate && bShowChannelName == o.bShowChannelName
            && bShowDevName == o.bShowDevName && bShowIvs == o.bShowIvs
            && nDecodeType == o.nDecodeType && nCacheMode == o.nCacheMode;
    }
};

// Where snapshots go.
struct PicAccessInfo
{
    QString strPicPath;
    int nPicFormat = 0; // 0 JPEG, 1 BMP

    bool operator==(const PicAccessInfo &o) const
    {
        return strPicPath == o.strPicPath && nPicFormat == o.nPicFormat;
    }
};

// Local recording.
struct RecordConfig
{
    QString strRecordPath;
    int nRecordSource = 0; // 0 device record, 1 cloud record

    bool operator==(const RecordConfig &o) const
    {
        return strRecordPath == o.strRecordPath && nRecordSource == o.nRecordSource;
    }
};

// Download folders: files first, records second.
struct DownloadConfigInfo
{
    QString strDownloadFilePath;
    QString strDownloadRecordPath;

    bool operator==(const DownloadConfigInfo &o) const
    {
        return strDownloadFilePath == o.strDownloadFilePath
            && strDownloadRecordPath == o.strDownloadRecordPath;
    }
};

// How alarms reach the user; the floating ball is the third field.
struct Alarm
{
    bool bAlarmSound = true;
    bool bAlarmPopup = true;
    bool bAlarmBall = true;

    bool operator==(const Alarm &o) const
    {
        return bAlarmSound == o.bAlarmSound && bAlarmPopup == o.bAlarmPopup
            && bAlarmBall == o.bAlarmBall;
    }
};

// Automatic reconnection of a broken video.
struct ReconnectPlayCfg
{
    bool bReconnect = false;
    int nReconnectInterval = 5; // seconds, 1-60
    int nReconnectCount = 5; // 1-30

    bool operator==(const ReconnectPlayCfg &o) const
    {
        return bReconnect == o.bReconnect && nReconnectInterval == o.nReconnectInterval
            && nReconnectCount == o.nReconnectCount;
    }
};

// The company logo: image path (where it came from) first, then the name, which is also the
// main window's title.
struct LogoInfo
{
    QString strLogoPath;
    QString strLogoName;

    bool operator==(const LogoInfo &o) const
    {
        return strLogoPath == o.strLogoPath && strLogoName == o.strLogoName;
    }
};

// One menu of the logged-in user. bPresent is false for a path the user does not have.
struct MenuInfo
{
    QString strMenuName;
    QString strMenuPath;
    bool bNavigation = false;
    bool bPresent = false;

    bool operator==(const MenuInfo &o) const
    {
        return strMenuName == o.strMenuName && strMenuPath == o.strMenuPath
            && bNavigation == o.bNavigation && bPresent == o.bPresent;
    }
};

// An open-platform endpoint (internet of things, consumer cloud).
struct OpenPlatformEndpoint
{
    QString strHost;
    int nPort = 0;
    bool bHttps = false;

    bool operator==(const OpenPlatformEndpoint &o) const
    {
        return strHost == o.strHost && nPort == o.nPort && bHttps == o.bHttps;
    }
};
using ComIOTOpen = OpenPlatformEndpoint;
using LocalQROpen = OpenPlatformEndpoint;

// The intercom signalling server.
struct VideoIntercomSetting
{
    QString strHost;
    int nPort = 0;

    bool operator==(const VideoIntercomSetting &o) const
    {
        return strHost == o.strHost && nPort == o.nPort;
    }
};

} // namespace ConfigInfo

Q_DECLARE_METATYPE(ConfigInfo::MenuInfo)
Q_DECLARE_METATYPE(ConfigInfo::LogoInfo)
