#pragma once

#include "zogui_global.h"

#include <QJsonObject>
#include <QString>

namespace ZoGUI {

// What the client and the helper program "ZoMessageNotify" say over the local socket: one
// compact JSON object per line, told apart by "type".
//   client -> helper: "param" {translations, skins, language}, "title" {title},
//                     "text" {id, text}, "quit"
//   helper -> client: "shown" {id, title, text, geometry [x, y, w, h]} once a popup is up
// The client listens, the helper connects; the helper ends when the socket closes.
// Any thread.
class ZOGUI_EXPORT ZoNotifyProtocol
{
public:
    static const char *const kType;
    static const char *const kParam;
    static const char *const kTitle;
    static const char *const kText;
    static const char *const kQuit;
    static const char *const kShown;

    // A longer line is refused rather than buffered without bound.
    static constexpr qint64 kMaxLineLength = 1024 * 1024;

    // Local server name of one client process: program type, current user and process id.
    // The user part keeps two users of one machine (and their sockets below /tmp) apart; the
    // process id keeps a second client of the same type from taking over the first one's
    // name, and makes a socket file left by a crashed client safe to remove.
    static QString serverName(const QString &programType, qint64 clientPid);

    static QByteArray encode(const QJsonObject &message);
    // False for a line that is not a JSON object with a string "type".
    static bool decode(const QByteArray &line, QJsonObject *message);
};

} // namespace ZoGUI
