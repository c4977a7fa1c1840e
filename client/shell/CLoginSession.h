#pragma once

#include <QObject>
#include <QString>

class ConditionWaiter;
class QTimer;

// The services that run while a user is logged in: the operation log, the play tokens with
// their daily refresh, the P2P environment (its configuration fetched again every 3 s until
// it arrives), and the clean-up at logout. A login completes once the page has reported both
// the successful login and the login data, in either order. GUI thread only.
class CLoginSession : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *LoginSuccessCondition = "LoginSuccCondtion";
    static constexpr const char *LoginInfoCondition = "LoginInfoCondtion";
    static constexpr int P2pRetryMs = 3000;
    static constexpr int PlayInfoRefreshMs = 86400000;

    explicit CLoginSession(QObject *parent = nullptr);
    ~CLoginSession() override;

    // The page's "NotifyLoginSucc" and "LoginUserInfo".
    void onLoginSucceeded();
    void onLoginInfo();
    // The page's "NotifyLoginOut".
    void onLogout();

    bool isP2pRetryActive() const;
    bool isPlayInfoTimerActive() const;

    // Deletes the ".dav" files directly in folder; other files and sub-folders stay.
    static int removeTemporaryVideos(const QString &folder);

signals:
    // After the services have started; the window asks for the client version again and
    // makes its login-time objects.
    void sgnLoginCompleted();

public slots:
    void onConfigInitConditionFinish();
    void onPlayInfoTimeout();
    void onP2pServerTimeout();
    void onP2pServerConfigResult(bool result);

private:
    ConditionWaiter *m_pConditionWaiter;
    QTimer *m_pP2pRetryTimer;
    QTimer *m_pPlayInfoTimer = nullptr;
};
