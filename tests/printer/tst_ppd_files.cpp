#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

const QDir kPpdDir(QStringLiteral(KBS_PPD_DIR));

QString modelText(std::string_view model)
{
    return QString::fromUtf8(model.data(), qsizetype(model.size()));
}

QStringList acceptedModels()
{
    QStringList models;
    for (const kbs::ModelVariant* variant :
         {&kbs::kbs18r::variant(), &kbs::kbs62d::variant(), &kbs::kbs18t::variant()}) {
        for (std::string_view model : variant->acceptedModels)
            models << modelText(model);
    }
    return models;
}

// The quoted value of a main keyword, e.g. *NickName: "..."; empty when it is missing.
QString keywordValue(const QByteArray& ppd, const char* keyword)
{
    const QRegularExpression line(QStringLiteral("^\\*%1: \"([^\"]*)\"$").arg(QLatin1String(keyword)),
                                  QRegularExpression::MultilineOption);
    return line.match(QString::fromLatin1(ppd)).captured(1);
}

QByteArray readPpd(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The shipped PPDs let an administrator set up queues that the programs serve.
class TestPpdFiles : public QObject {
    Q_OBJECT

private slots:
    void onePpdPerAcceptedModel();
    void ppdNamesItsModelExactly_data();
    void ppdNamesItsModelExactly();
};

void TestPpdFiles::onePpdPerAcceptedModel()
{
    QStringList nickNames;
    for (const QString& name : kPpdDir.entryList({QStringLiteral("*.ppd")}, QDir::Files))
        nickNames << keywordValue(readPpd(kPpdDir.filePath(name)), "NickName");
    QStringList expected = acceptedModels();
    nickNames.sort();
    expected.sort();
    QCOMPARE(nickNames, expected);
}

void TestPpdFiles::ppdNamesItsModelExactly_data()
{
    QTest::addColumn<QString>("path");
    for (const QString& name : kPpdDir.entryList({QStringLiteral("*.ppd")}, QDir::Files))
        QTest::newRow(qPrintable(name)) << kPpdDir.filePath(name);
}

void TestPpdFiles::ppdNamesItsModelExactly()
{
    QFETCH(QString, path);
    const QByteArray ppd = readPpd(path);
    const QString nickName = keywordValue(ppd, "NickName");
    QVERIFY(acceptedModels().contains(nickName));
    QCOMPARE(keywordValue(ppd, "ModelName"), nickName);

    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    check.start(QStringLiteral("cupstestppd"), {QStringLiteral("-W"), QStringLiteral("all"), path});
    QVERIFY2(check.waitForFinished(30000), "cupstestppd did not finish");
    QVERIFY2(check.exitStatus() == QProcess::NormalExit && check.exitCode() == 0,
             check.readAll().constData());
}

QTEST_APPLESS_MAIN(TestPpdFiles)
#include "tst_ppd_files.moc"
