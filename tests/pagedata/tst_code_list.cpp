#include "pagedata/code_list_rules.h"

#include <QtTest>

#include <array>

using namespace kbs;

namespace {
constexpr std::array kEntries = {CodeEntry{"明朝体", "0"}, CodeEntry{"ゴシック体", "1"}};
// The three load rules, each list with one store rule.
constexpr CodeList kSubstitute{.entries = kEntries,
                               .loadMiss = LoadMiss::Substitute,
                               .substitute = "ゴシック体",
                               .storeMiss = StoreMiss::FallbackCode,
                               .fallbackCode = "0"};
constexpr CodeList kLeave{.entries = kEntries,
                          .loadMiss = LoadMiss::LeaveAsItWas,
                          .storeMiss = StoreMiss::FallbackCode,
                          .fallbackCode = "1"};
constexpr CodeList kShowNone{
    .entries = kEntries, .loadMiss = LoadMiss::ShowNone, .storeMiss = StoreMiss::LeaveField};

const CodeList* listNamed(const QString& name)
{
    return name == "substitute" ? &kSubstitute : name == "leave" ? &kLeave : &kShowNone;
}
} // namespace

// The rules for codes a list does not know, on load and on store.
class TestCodeList : public QObject {
    Q_OBJECT

private slots:
    void load_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("code"); // "-": the field could not be read
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("shown");
        QTest::newRow("listed") << "leave"
                                << "1" << 0 << 1;
        QTest::newRow("substituted") << "substitute"
                                     << "2" << 0 << 1;
        QTest::newRow("left as it was") << "leave"
                                        << "2" << 1 << 1;
        QTest::newRow("none shown") << "show none"
                                    << "2" << 1 << kNoEntry;
        QTest::newRow("unreadable keeps even a substituting list") << "substitute"
                                                                   << "-" << 0 << 0;
        QTest::newRow("a code of two characters is not its first") << "leave"
                                                                   << "10" << 0 << 0;
    }
    void load()
    {
        QFETCH(QString, list);
        QFETCH(QString, code);
        QFETCH(int, before);
        const std::string bytes = code.toStdString();
        const auto read = code == "-" ? std::nullopt : std::optional<std::string_view>(bytes);
        QTEST(loadedEntry(*listNamed(list), read, before), "shown");
    }

    void store_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("stored"); // "-": the field keeps its bytes
        QTest::newRow("entry") << "show none" << 1 << "1";
        QTest::newRow("fallback") << "leave" << kNoEntry << "1";
        QTest::newRow("other fallback") << "substitute" << kNoEntry << "0";
        QTest::newRow("field kept") << "show none" << kNoEntry << "-";
        QTest::newRow("index past the entries") << "show none" << 2 << "-";
    }
    void store()
    {
        QFETCH(QString, list);
        QFETCH(int, shown);
        const auto code = storedCode(*listNamed(list), shown);
        QTEST(code ? QString::fromUtf8(code->data(), qsizetype(code->size())) : QString("-"), "stored");
    }
};

QTEST_GUILESS_MAIN(TestCodeList)
#include "tst_code_list.moc"
