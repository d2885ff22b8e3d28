// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <utility>

// The floor of the trainer's start-up and memory: its window with the same controls, sizes,
// texts, fonts and colours, built by plain Qt and nothing else. What the program adds of its
// own is left out: the pictures (the display, the logo and the hidden holders), the window
// icon, the timer, the placement and every handler. Any program that shows this window pays
// what this one costs, which is Qt drawing its texts, frames and button.
namespace {

QFont pixelFont(const char *family, int pixels)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    return font;
}

QLabel *label(QWidget *parent, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

QLabel *wrapped(QWidget *parent, const QString &text, const QRect &geometry)
{
    QLabel *about = label(parent, text, geometry);
    about->setWordWrap(true);
    about->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return about;
}

QLabel *centred(QWidget *parent, const QString &text, const QRect &geometry, const QFont &font, const QColor &colour)
{
    QLabel *number = label(parent, text, geometry);
    number->setAlignment(Qt::AlignCenter);
    number->setFont(font);
    if (colour.isValid()) {
        QPalette palette = number->palette();
        palette.setColor(QPalette::WindowText, colour);
        number->setPalette(palette);
        number->setForegroundRole(QPalette::WindowText);
    }
    return number;
}

// The score row, in the order the trainer makes its boxes.
struct Score
{
    const char *title;
    int left;
    QColor colour;
    const char *number = "0";
    bool adjustable = false; // with the hidden minus and plus labels
};
const Score Scores[] = {
    {"Počet pokusů", 272, QColor(128, 128, 0)},        {"Body celkem", 184, QColor(0, 0, 255)},
    {"Trestné body", 96, QColor(255, 0, 0), "0", true}, {"Získané body", 8, QColor(0, 128, 0), "0", true},
    {"Úspěšnost", 360, QColor(128, 0, 128), "- - %"},
};

} // namespace

int main(int argc, char *argv[])
{
    // Pixels go to the X server inside the requests, as the trainer has them go.
    qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    window.setWindowTitle(QStringLiteral("Vlajkor"));
    window.setFixedSize(449, 217);
    window.setBackgroundRole(QPalette::Button);
    window.setAutoFillBackground(true);
    window.setFont(pixelFont("MS Sans Serif", 11));

    wrapped(&window,
            QStringLiteral("Pro přijímání vlajkorové abecedy stiskněte tlačítko Start.\n"
                           "Pro vysílání vlajkorové abecedy (jiné osobě u vašeho počítače) pište zprávu na "
                           "klávesnici, slova oddělujte mezerníkem."),
            QRect(312, 8, 129, 121));
    wrapped(&window,
            QStringLiteral("Určete vysílané písmeno a zadejte ho na klávesnici. Nejde o ucelená slova. Čísla "
                           "vysílaná nejsou.\nPro ukončení přijímání vlajkorové abecedy stiskněte tlačítko Stop."),
            QRect(312, 8, 129, 121))
        ->hide();
    wrapped(&window, QStringLiteral("Vlajkor - v1.0 (12.9.2006) Program na procvičování vlajkorové abecedy."),
            QRect(8, 80, 129, 81));
    centred(&window, QStringLiteral("A"), QRect(148, 140, 17, 17), pixelFont("Verdana", 12), Qt::white)->hide();

    for (const Score &score : Scores) {
        auto *box = new QGroupBox(QString::fromUtf8(score.title), &window);
        box->setGeometry(score.left, 166, 81, 43);
        centred(box, QString::fromLatin1(score.number), QRect(8, 14, 65, 25), pixelFont("MS Sans Serif", 19),
                score.colour);
        if (score.adjustable) {
            for (const auto &[sign, left] : {std::pair{"-", 8}, std::pair{"+", 56}})
                centred(box, QString::fromLatin1(sign), QRect(left, 16, 17, 19), pixelFont("Verdana", 16), QColor())
                    ->hide();
        }
    }
    auto *button = new QPushButton(QStringLiteral("Start"), &window);
    button->setGeometry(336, 134, 81, 25);
    button->setFocusPolicy(Qt::ClickFocus);
    button->setAutoDefault(false);

    window.show();
    return app.exec();
}
