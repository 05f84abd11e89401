#include "model/command_ids.h"
#include "model/model_variant.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QtTest>

using namespace kbs;

namespace {

QString text(std::string_view view)
{
    return QString::fromUtf8(view.data(), qsizetype(view.size()));
}

template <typename Range> QStringList texts(const Range& range)
{
    QStringList list;
    for (std::string_view view : range)
        list << text(view);
    return list;
}

// One tab as the main window shows it and as its menu entry reads.
QString describe(const TabSpec& tab)
{
    return QStringLiteral("%1|%2|%3|%4|%5|%6")
        .arg(text(tab.label))
        .arg(int(tab.page))
        .arg(tab.imageIndex)
        .arg(tab.commandId)
        .arg(text(tab.menuLabel), text(tab.shortcut));
}

QString tab(const char* label, PageId page, int image, int command, const char* menuLabel,
            const char* shortcut)
{
    return QStringLiteral("%1|%2|%3|%4|%5|%6")
        .arg(QString::fromUtf8(label))
        .arg(int(page))
        .arg(image)
        .arg(command)
        .arg(QString::fromUtf8(menuLabel), QString::fromUtf8(shortcut));
}

const QString kSelectTab =
    tab("機能選択", PageId::Select, 0, cmd::ShowSelect, "機能選択(&K)\tCtrl+K", "Ctrl+K");
const QStringList kMsw1To4Tabs = {
    tab("ＭＳＷ１", PageId::MSW1, 1, cmd::ShowMsw1, "メモリスイッチ１(&1)\tCtrl+1", "Ctrl+1"),
    tab("ＭＳＷ２", PageId::MSW2, 1, cmd::ShowMsw2, "メモリスイッチ２(&2)\tCtrl+2", "Ctrl+2"),
    tab("ＭＳＷ３", PageId::MSW3, 1, cmd::ShowMsw3, "メモリスイッチ３(&3)\tCtrl+3", "Ctrl+3"),
    tab("ＭＳＷ４", PageId::MSW4, 1, cmd::ShowMsw4, "メモリスイッチ４(&4)\tCtrl+4", "Ctrl+4"),
};
QString msw5Tab(int command)
{
    return tab("ＭＳＷ５", PageId::MSW5, 1, command, "メモリスイッチ５(&5)\tCtrl+5", "Ctrl+5");
}

// The printer selection's refusals of a "FILE:" printer in the send-only wording.
const QStringList kSendOnlyFilePortMessages = {
    QStringLiteral("インストールされているプリンタの接続先がFILEのため設定値を送信できません。\nプリンタ設定"
                   "を確認してやり直してください。\n\nKnobstationを終了します。"),
    QStringLiteral("接続先がFILEのため設定値を送信できません。\nプリンタ設定を確認してやり直してください。\n"
                   "\nKnobstationを終了します。"),
    QStringLiteral("接続先がFILEのため設定値を送信できません。\nプリンタ設定を変更するか、他のプリンタに変更"
                   "してください。"),
};

const QString kMayLackPermission =
    QStringLiteral("設定ファイルの書き込みに失敗しました。\nこのディレクトリに保存するアクセス許可がない可能"
                   "性があります。\n設定ファイルの保存先を変更してやり直してください。");
const QString kAskAdministrator =
    QStringLiteral("このディレクトリに保存するアクセス許可がありません。\n管理者に問い合わせてアクセス許可を"
                   "取得してください。\n\n設定ファイルの保存先を変更してやり直してください。");

} // namespace

class TestVariantConstants : public QObject {
    Q_OBJECT

private slots:
    void constants_data();
    void constants();
};

void TestVariantConstants::constants_data()
{
    QTest::addColumn<const ModelVariant*>("variant");
    QTest::addColumn<QString>("deliverable");
    QTest::addColumn<QStringList>("acceptedModels");
    QTest::addColumn<QString>("windowTitle");
    QTest::addColumn<QStringList>("aboutLines");
    QTest::addColumn<QByteArray>("fileIdentifier");
    QTest::addColumn<int>("identifierLength");
    QTest::addColumn<int>("blockLength");
    QTest::addColumn<QStringList>("tabs");
    QTest::addColumn<QList<int>>("extraMenuCommands");
    QTest::addColumn<QStringList>("forms");
    QTest::addColumn<int>("helpCommandId");
    QTest::addColumn<QString>("sendWording"); // what the FILE: refusals say instead of "送信できません"
    QTest::addColumn<QString>("saveDeniedMessage");
    QTest::addColumn<int>("paramTabIndex");

    QTest::newRow("kbs18r") << &kbs18r::variant() << "kbs18r"
                            << QStringList{"ZAV Ferrostrike Q18RW", "ZAV Ferrostrike Q18RV"}
                            << "ZAV Ferrostrike Q18RW/Q18RV ノブステーション"
                            << QStringList{"Ferrostrike Q18RW/Q18RV", "Version 2.000"}
                            << QByteArray("ZAV Ferrostrike Q18RW_RV") << 24 << 273
                            << QStringList{kSelectTab, tab("パラメータ設定", PageId::Param, 2, cmd::ShowParam,
                                                           "パラメータ設定（&P）\tCtrl+P", "Ctrl+P")} +
                                   kMsw1To4Tabs + QStringList{msw5Tab(32812)}
                            << QList<int>{} << QStringList{"書式０", "書式１", "書式２", "書式３", "書式４"}
                            << 32806 << "送信できません" << kMayLackPermission << 1;

    QTest::newRow("kbs62d") << &kbs62d::variant() << "kbs62d"
                            << QStringList{"ZAV Ferrostrike P62DW", "ZAV Ferrostrike P62DV"}
                            << "ZAV Ferrostrike P62DW/P62DV ノブステーション"
                            << QStringList{"ZAV Ferrostrike P62DW/P62DV", "Version 2.000"}
                            << QByteArray("ZAV Ferrostrike P62DW_DV") << 24 << 190
                            << QStringList{kSelectTab,
                                           tab("パラメータ設定１", PageId::Param, 2, cmd::ShowParam,
                                               "パラメータ設定１（&P）\tCtrl+P", "Ctrl+P"),
                                           tab("パラメータ設定２", PageId::Param2, 2, 32802,
                                               "パラメータ設定２（&L）\tCtrl+L", "Ctrl+L")} +
                                   kMsw1To4Tabs + QStringList{msw5Tab(32811)}
                            << QList<int>{32802} << QStringList{"書式０", "書式１", "書式２", "書式３"}
                            << 32806 << "送信できません" << kAskAdministrator << 1;

    QTest::newRow("kbs18t") << &kbs18t::variant() << "kbs18t" << QStringList{"ZAV Ferrostrike Q18TS"}
                            << "ZAV Ferrostrike Q18TS ノブステーション"
                            << QStringList{"Ferrostrike Q18TS", "Version 1.000"}
                            << QByteArray("ZAV Ferrostrike Q18TS") << 21 << 186
                            << QStringList{kSelectTab,
                                           tab("書式設定", PageId::Form, 3, 32804, "書式設定(&F)\tCtrl+F",
                                               "Ctrl+F"),
                                           tab("パラメータ設定", PageId::Param, 2, cmd::ShowParam,
                                               "パラメータ設定（&P）\tCtrl+P", "Ctrl+P")} +
                                   kMsw1To4Tabs + QStringList{msw5Tab(32808)}
                            << QList<int>{32804} << QStringList{"選択なし", "書式１", "書式２", "書式３"}
                            << 32807 << "受信/送信できません" << kMayLackPermission << 2;
}

void TestVariantConstants::constants()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(QString, deliverable);
    QFETCH(QStringList, acceptedModels);
    QFETCH(QString, windowTitle);
    QFETCH(QStringList, aboutLines);
    QFETCH(QByteArray, fileIdentifier);
    QFETCH(int, identifierLength);
    QFETCH(int, blockLength);
    QFETCH(QStringList, tabs);
    QFETCH(QList<int>, extraMenuCommands);
    QFETCH(QStringList, forms);
    QFETCH(int, helpCommandId);
    QFETCH(QString, sendWording);
    QFETCH(QString, saveDeniedMessage);
    QFETCH(int, paramTabIndex);

    QCOMPARE(text(variant->deliverable), deliverable);
    QCOMPARE(texts(variant->acceptedModels), acceptedModels);
    QCOMPARE(text(variant->windowTitle), windowTitle);
    QCOMPARE((QStringList{text(variant->aboutLines.modelLine), text(variant->aboutLines.versionLine)}),
             aboutLines);

    QCOMPARE(QByteArray(variant->fileIdentifier.data(), qsizetype(variant->fileIdentifier.size())),
             fileIdentifier);
    QCOMPARE(int(variant->fileIdentifier.size()), identifierLength);
    QCOMPARE(int(variant->blockLength), blockLength);
    QCOMPARE(int(variant->factoryDefaults.size()), blockLength);

    QStringList actualTabs;
    for (const TabSpec& entry : variant->tabs)
        actualTabs << describe(entry);
    QCOMPARE(actualTabs, tabs);
    QCOMPARE(QList<int>(variant->extraMenuCommands.begin(), variant->extraMenuCommands.end()),
             extraMenuCommands);
    QCOMPARE(int(variant->paramTabIndex), paramTabIndex);
    QCOMPARE(variant->tabs[variant->paramTabIndex].page, PageId::Param);

    QCOMPARE(texts(variant->forms), forms);
    QCOMPARE(variant->helpCommandId, helpCommandId);
    QCOMPARE(text(variant->helpFiles.htmlFile), deliverable + ".html");

    QStringList filePortMessages = kSendOnlyFilePortMessages;
    filePortMessages.replaceInStrings(QStringLiteral("送信できません"), sendWording);
    QCOMPARE((QStringList{text(variant->filePortMessages.everyPrinterIsFile),
                          text(variant->filePortMessages.onlyPrinterIsFile),
                          text(variant->filePortMessages.chosenPrinterIsFile)}),
             filePortMessages);
    QCOMPARE(text(variant->saveDeniedMessage), saveDeniedMessage);
}

QTEST_GUILESS_MAIN(TestVariantConstants)
#include "tst_variant_constants.moc"
