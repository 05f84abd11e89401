#include "widgets/dialog_units.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QString>
#include <QStringList>

namespace kbs {

QFont dialogFont()
{
    const QStringList installed = QFontDatabase::families();
    const QStringList preferred = {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                                   QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")};
    QFont font;
    for (const QString& family : preferred) {
        if (installed.contains(family)) {
            font.setFamily(family);
            break;
        }
    }
    font.setPointSize(9);
    return font;
}

namespace {
// Rounds like the classic integer MulDiv.
int mulDiv(int value, int numerator, int denominator)
{
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}
} // namespace

DialogUnits::DialogUnits(const QFont& font)
{
    // Every page and number box converts in the one dialog font: measured once per font.
    struct Measured {
        QString fontKey;
        int baseX = 0;
        int baseY = 0;
    };
    static Measured last;
    const QString key = font.key();
    if (last.fontKey != key) {
        const QFontMetrics metrics(font);
        const int letters =
            metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
        last = {key, (letters / 26 + 1) / 2, metrics.height()};
    }
    baseX_ = last.baseX;
    baseY_ = last.baseY;
}

int DialogUnits::x(int dlu) const
{
    return mulDiv(dlu, baseX_, 4);
}

int DialogUnits::y(int dlu) const
{
    return mulDiv(dlu, baseY_, 8);
}

} // namespace kbs
