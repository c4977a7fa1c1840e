#pragma once

#include "ConfigRecords.h"
#include "ostmark_global.h"

#include <QString>

namespace ConfigInfo {

class CSettingsFile;

// The user's settings and records: "<program type>.ini" in the user store folder
// (CStorePaths::userStoreFolder, normally QStandardPaths::AppConfigLocation), UTF-8, so each
// edition keeps its own.
//
// Groups: [VideoShow] ShowRate, ShowChannelName, ShowDevName, ShowIvs, DecodeType, CacheMode;
// [Video] StreamType, TalkType; [PicAccess] PicPath, PicFormat; [Record] RecordPath,
// RecordSource; [Download] FilePath, RecordPath; [Alarm] Sound, Popup, Ball;
// [Reconnect] Enable, Interval, Count; [Logo] ImagePath, Name; [Path] EvaluateSnapPath.
// Folders default to empty: the start-up fills them with folders below the program folder.
//
// Thread-safe: a record is read and written as a whole under the file's lock, so a reader
// never sees half of a record that another thread is writing. Every setter writes the file
// before it returns.
class OSTMARK_EXPORT CConfig
{
public:
    static CConfig *instance();

    QString filePath() const;

    VideoShow getVideoShow() const;
    bool setVideoShow(const VideoShow &info);

    int getStreamType() const; // 0 main stream, 1 sub stream
    bool setStreamType(int type);
    int getTalkType() const; // 0 device talk, 1 channel talk
    bool setTalkType(int type);

    PicAccessInfo getPicAccessInfo() const;
    bool setPicAccessInfo(const PicAccessInfo &info);
    RecordConfig getRecordConfig() const;
    bool setRecordConfig(const RecordConfig &info);
    DownloadConfigInfo getDownloadConfig() const;
    bool setDownloadConfig(const DownloadConfigInfo &info);
    QString getEvaluateSnapPath() const;
    bool setEvaluateSnapPath(const QString &path);

    Alarm getAlarm() const;
    bool setAlarm(const Alarm &info);
    ReconnectPlayCfg getReconnectPlayCfg() const;
    bool setReconnectPlayCfg(const ReconnectPlayCfg &info);

    LogoInfo getLogoInfo() const;
    bool setLogoInfo(const LogoInfo &info);

    // The installation's web debug switch ("Localcfg.ini" [Web] Debug): remote debugging is
    // a property of the installation, not of the user.
    bool getWebDebug() const;

    CConfig(const CConfig &) = delete;
    CConfig &operator=(const CConfig &) = delete;

private:
    CConfig();
    ~CConfig();

    CSettingsFile *m_file;
};

} // namespace ConfigInfo
