#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

// The quoted value of a main keyword, e.g. *NickName: "..."; empty when it is missing.
QString keywordValue(const QByteArray& ppd, const char* keyword)
{
    const QRegularExpression line(QStringLiteral("^\\*%1: \"([^\"]*)\"$").arg(QLatin1String(keyword)),
                                  QRegularExpression::MultilineOption);
    return line.match(QString::fromLatin1(ppd)).captured(1);
}

} // namespace

// The shipped PPDs let an administrator set up queues that the programs serve.
class TestPpdFiles : public QObject {
    Q_OBJECT

private slots:
    void onePassingPpdPerAcceptedModel();
};

void TestPpdFiles::onePassingPpdPerAcceptedModel()
{
    const QDir ppdDir(QStringLiteral(KBS_PPD_DIR));
    QStringList nickNames;
    for (const QString& name : ppdDir.entryList({QStringLiteral("*.ppd")}, QDir::Files)) {
        QFile file(ppdDir.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray ppd = file.readAll();
        nickNames << keywordValue(ppd, "NickName");
        QCOMPARE(keywordValue(ppd, "ModelName"), nickNames.last());

        QProcess check;
        check.setProcessChannelMode(QProcess::MergedChannels);
        check.start(QStringLiteral("cupstestppd"),
                    {QStringLiteral("-W"), QStringLiteral("all"), file.fileName()});
        QVERIFY2(check.waitForFinished(30000), "cupstestppd did not finish");
        QVERIFY2(check.exitStatus() == QProcess::NormalExit && check.exitCode() == 0,
                 qPrintable(name + QStringLiteral(": ") + QString::fromLocal8Bit(check.readAll())));
    }

    QStringList models;
    for (const kbs::ModelVariant* variant :
         {&kbs::kbs18r::variant(), &kbs::kbs62d::variant(), &kbs::kbs18t::variant()}) {
        for (std::string_view model : variant->acceptedModels)
            models << QString::fromUtf8(model.data(), qsizetype(model.size()));
    }
    nickNames.sort();
    models.sort();
    QCOMPARE(nickNames, models);
}

QTEST_APPLESS_MAIN(TestPpdFiles)
#include "tst_ppd_files.moc"
