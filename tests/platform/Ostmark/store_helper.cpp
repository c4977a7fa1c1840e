// Writes or reads the configuration store in a process of its own, so that a test can show
// what survives a restart. The folders come from KORVEL_PROGRAM_DIR and
// KORVEL_USER_CONFIG_DIR.
//   store_helper write <tag>   stores values derived from tag
//   store_helper read          prints the stored values as one JSON line

#include "Ostmark/CConfig.h"
#include "Ostmark/CLocalConfig.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

using namespace ConfigInfo;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args.at(1) == QLatin1String("write")) {
        const QString tag = args.at(2);
        bool ok = CLocalConfig::instance()->setPlatformUrl(QStringLiteral("https"), tag, 8443);
        ok = CLocalConfig::instance()->setInstantReplayTime(90) && ok;
        ok = CLocalConfig::instance()->setComIOTOpenInfo({tag, 9443, true}) && ok;
        VideoShow show = CConfig::instance()->getVideoShow();
        show.bShowRate = true;
        show.nCacheMode = 3;
        ok = CConfig::instance()->setVideoShow(show) && ok;
        ok = CConfig::instance()->setRecordConfig({QStringLiteral("/rec/") + tag, 1}) && ok;
        ok = CConfig::instance()->setLogoInfo({QStringLiteral("/logo/") + tag, tag}) && ok;
        return ok ? 0 : 1;
    }
    if (args.size() >= 2 && args.at(1) == QLatin1String("read")) {
        const VideoShow show = CConfig::instance()->getVideoShow();
        const ComIOTOpen iot = CLocalConfig::instance()->getComIOTOpenInfo();
        QJsonObject out {
            {QStringLiteral("platformUrl"), CLocalConfig::instance()->getPlatformUrl()},
            {QStringLiteral("replay"), CLocalConfig::instance()->getInstantReplayTime()},
            {QStringLiteral("iotHost"), iot.strHost},
            {QStringLiteral("iotPort"), iot.nPort},
            {QStringLiteral("iotHttps"), iot.bHttps},
            {QStringLiteral("showRate"), show.bShowRate},
            {QStringLiteral("cacheMode"), show.nCacheMode},
            {QStringLiteral("recordPath"), CConfig::instance()->getRecordConfig().strRecordPath},
            {QStringLiteral("logoName"), CConfig::instance()->getLogoInfo().strLogoName},
        };
        QTextStream(stdout) << QJsonDocument(out).toJson(QJsonDocument::Compact) << '\n';
        return 0;
    }
    return 2;
}
