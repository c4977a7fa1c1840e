#include "CConfig.h"

#include "CLocalConfig.h"
#include "CSettingsFile.h"
#include "CStorePaths.h"

namespace ConfigInfo {

CConfig *CConfig::instance()
{
    static CConfig config;
    return &config;
}

CConfig::CConfig()
    : m_file(new CSettingsFile([]() -> QString {
        return CStorePaths::userStoreFolder() + QLatin1Char('/')
            + CLocalConfig::instance()->getProgram() + QStringLiteral(".ini");
    }))
{ }

CConfig::~CConfig()
{
    delete m_file;
}

QString CConfig::filePath() const
{
    return m_file->filePath();
}

VideoShow CConfig::getVideoShow() const
{
    return m_file->read([](QSettings &s) {
        VideoShow info;
        s.beginGroup(QStringLiteral("VideoShow"));
        info.bShowRate = s.value(QStringLiteral("ShowRate"), false).toBool();
        info.bShowChannelName = s.value(QStringLiteral("ShowChannelName"), true).toBool();
        info.bShowDevName = s.value(QStringLiteral("ShowDevName"), true).toBool();
        info.bShowIvs = s.value(QStringLiteral("ShowIvs"), false).toBool();
        info.nDecodeType = s.value(QStringLiteral("DecodeType"), 0).toInt();
        info.nCacheMode = s.value(QStringLiteral("CacheMode"), 1).toInt();
        return info;
    });
}

bool CConfig::setVideoShow(const VideoShow &info)
{
    return m_file->write([&](QSettings &s) {
        s.beginGroup(QStringLiteral("VideoShow"));
        s.setValue(QStringLiteral("ShowRate"), info.bShowRate);
        s.setValue(QStringLiteral("ShowChannelName"), info.bShowChannelName);
        s.setValue(QStringLiteral("ShowDevName"), info.bShowDevName);
        s.setValue(QStringLiteral("ShowIvs"), info.bShowIvs);
        s.setValue(QStringLiteral("DecodeType"), info.nDecodeType);
        s.setValue(QStringLiteral("CacheMode"), info.nCacheMode);
    });
}

int CConfig::getStreamType() const
{
    return m_file->value(QStringLiteral("Video/StreamType"), 0).toInt();
}

bool CConfig::setStreamType(int type)
{
    return m_file->setValue(QStringLiteral("Video/StreamType"), type);
}

int CConfig::getTalkType() const
{
    return m_file->value(QStringLiteral("Video/TalkType"), 0).toInt();
}

bool CConfig::setTalkType(int type)
{
    return m_file->setValue(QStringLiteral("Video/TalkType"), type);
}

PicAccessInfo CConfig::getPicAccessInfo() const
{
    return m_file->read([](QSettings &s) {
        PicAccessInfo info;
        info.strPicPath = s.value(QStringLiteral("PicAccess/PicPath")).toString();
        info.nPicFormat = s.value(QStringLiteral("PicAccess/PicFormat"), 0).toInt();
        return info;
    });
}

bool CConfig::setPicAccessInfo(const PicAccessInfo &info)
{
    return m_file->write([&](QSettings &s) {
        s.setValue(QStringLiteral("PicAccess/PicPath"), info.strPicPath);
        s.setValue(QStringLiteral("PicAccess/PicFormat"), info.nPicFormat);
    });
}

RecordConfig CConfig::getRecordConfig() const
{
    return m_file->read([](QSettings &s) {
        RecordConfig info;
        info.strRecordPath = s.value(QStringLiteral("Record/RecordPath")).toString();
        info.nRecordSource = s.value(QStringLiteral("Record/RecordSource"), 0).toInt();
        return info;
    });
}

bool CConfig::setRecordConfig(const RecordConfig &info)
{
    return m_file->write([&](QSettings &s) {
        s.setValue(QStringLiteral("Record/RecordPath"), info.strRecordPath);
        s.setValue(QStringLiteral("Record/RecordSource"), info.nRecordSource);
    });
}

DownloadConfigInfo CConfig::getDownloadConfig() const
{
    return m_file->read([](QSettings &s) {
        DownloadConfigInfo info;
        info.strDownloadFilePath = s.value(QStringLiteral("Download/FilePath")).toString();
        info.strDownloadRecordPath = s.value(QStringLiteral("Download/RecordPath")).toString();
        return info;
    });
}

bool CConfig::setDownloadConfig(const DownloadConfigInfo &info)
{
    return m_file->write([&](QSettings &s) {
        s.setValue(QStringLiteral("Download/FilePath"), info.strDownloadFilePath);
        s.setValue(QStringLiteral("Download/RecordPath"), info.strDownloadRecordPath);
    });
}

QString CConfig::getEvaluateSnapPath() const
{
    return m_file->value(QStringLiteral("Path/EvaluateSnapPath")).toString();
}

bool CConfig::setEvaluateSnapPath(const QString &path)
{
    return m_file->setValue(QStringLiteral("Path/EvaluateSnapPath"), path);
}

Alarm CConfig::getAlarm() const
{
    return m_file->read([](QSettings &s) {
        Alarm info;
        info.bAlarmSound = s.value(QStringLiteral("Alarm/Sound"), true).toBool();
        info.bAlarmPopup = s.value(QStringLiteral("Alarm/Popup"), true).toBool();
        info.bAlarmBall = s.value(QStringLiteral("Alarm/Ball"), true).toBool();
        return info;
    });
}

bool CConfig::setAlarm(const Alarm &info)
{
    return m_file->write([&](QSettings &s) {
        s.setValue(QStringLiteral("Alarm/Sound"), info.bAlarmSound);
        s.setValue(QStringLiteral("Alarm/Popup"), info.bAlarmPopup);
        s.setValue(QStringLiteral("Alarm/Ball"), info.bAlarmBall);
    });
}

ReconnectPlayCfg CConfig::getReconnectPlayCfg() const
{
    return m_file->read([](QSettings &s) {
        ReconnectPlayCfg info;
        info.bReconnect = s.value(QStringLiteral("Reconnect/Enable"), false).toBool();
        info.nReconnectInterval = s.value(QStringLiteral("Reconnect/Interval"), 5).toInt();
        info.nReconnectCount = s.value(QStringLiteral("Reconnect/Count"), 5).toInt();
        return info;
    });
}

bool CConfig::setReconnectPlayCfg(const ReconnectPlayCfg &info)
{
    return m_file->write([&](QSettings &s) {
        s.setValue(QStringLiteral("Reconnect/Enable"), info.bReconnect);
        s.setValue(QStringLiteral("Reconnect/Interval"), info.nReconnectInterval);
        s.setValue(QStringLiteral("Reconnect/Count"), info.nReconnectCount);
    });
}

LogoInfo CConfig::getLogoInfo() const
{
    return m_file->read([](QSettings &s) {
        LogoInfo info;
        info.strLogoPath = s.value(QStringLiteral("Logo/ImagePath")).toString();
        info.strLogoName = s.value(QStringLiteral("Logo/Name")).toString();
        return info;
    });
}

bool CConfig::setLogoInfo(const LogoInfo &info)
{
    return m_file->write([&](QSettings &s) {
        s.setValue(QStringLiteral("Logo/ImagePath"), info.strLogoPath);
        s.setValue(QStringLiteral("Logo/Name"), info.strLogoName);
    });
}

bool CConfig::getWebDebug() const
{
    return CLocalConfig::instance()->getWebDebug();
}

} // namespace ConfigInfo
