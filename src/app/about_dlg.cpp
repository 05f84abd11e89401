#include "app/about_dlg.h"

#include "widgets/dialog_units.h"
#include "widgets/qt_text.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace kbs {

namespace {
constexpr std::string_view kProgramName = "ノブステーション";
constexpr std::string_view kMakersNotice = "Copyright (C) ZAV.  All rights reserved.";
} // namespace

CAboutDlg::CAboutDlg(const ModelVariant& variant, const QIcon& icon, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("バージョン情報"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    const DialogUnits du(font());
    setFixedSize(du.size(220, 84));

    auto* iconLabel = new QLabel(this);
    iconLabel->setObjectName(QStringLiteral("programIcon"));
    iconLabel->setPixmap(icon.pixmap(32, 32));
    iconLabel->setGeometry(du.x(11), du.y(14), 32, 32);

    auto* frame = new QGroupBox(this);
    frame->setGeometry(du.rect(40, 5, 172, 52));

    const struct {
        const char* name;
        std::string_view text;
        int top;
    } lines[] = {
        {"programName", kProgramName, 13},
        {"modelLine", variant.aboutLines.modelLine, 26},
        {"versionLine", variant.aboutLines.versionLine, 39},
    };
    for (const auto& line : lines) {
        auto* label = new QLabel(toQString(line.text), this);
        label->setObjectName(QString::fromLatin1(line.name));
        label->setGeometry(du.rect(50, line.top, 156, 10));
    }

    auto* notice = new QLabel(toQString(kMakersNotice), this);
    notice->setObjectName(QStringLiteral("makersNotice"));
    notice->setGeometry(du.rect(11, 66, 140, 10));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setGeometry(du.rect(162, 63, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace kbs
