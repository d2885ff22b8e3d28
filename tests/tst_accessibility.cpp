// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "announcer.h"
#include "windowfixture.h"

#include <QAccessible>
#include <QMetaEnum>
#include <QRegularExpression>

// What a screen reader finds in the window: names, descriptions and reading order, and
// never the letter to guess while it is hidden.
class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void tree_data();
    void tree();
    void letterToGuessIsNowhere();

private:
    // Each object under `parent`, depth first, as "<depth dots><role> <name>" with the name
    // cut short.
    static QStringList walk(QAccessibleInterface *parent, const QString &depth = QString());
};

namespace {

const QString Q = QStringLiteral("Q"); // never a Czech word of its own

void setUp(const WindowFixture &f, const QString &steps)
{
    for (const QString &step : steps.split(u',', Qt::SkipEmptyParts)) {
        if (step == u"F2")
            f.typeKey(Qt::Key_F2);
        else if (step == u"hidden")
            f.showHiddenControls();
        else if (step == u"Q")
            f.window->setF4(Q);
        else
            f.type(step);
    }
}

bool names(const QString &text, const QString &letter)
{
    return text.contains(QRegularExpression(QStringLiteral("(?<!\\w)%1(?!\\w)").arg(letter),
                                            QRegularExpression::CaseInsensitiveOption));
}

} // namespace

QStringList AccessibilityTest::walk(QAccessibleInterface *parent, const QString &depth)
{
    static const QMetaEnum roles = QMetaEnum::fromType<QAccessible::Role>();
    QStringList found;
    for (int i = 0; i < parent->childCount(); ++i) {
        QAccessibleInterface *child = parent->child(i);
        if (child->parent() != parent || parent->indexOfChild(child) != i)
            found << QStringLiteral("%1 is not where its parent lists it").arg(child->text(QAccessible::Name));
        found << depth + QLatin1String(roles.valueToKey(child->role())) + u' '
                     + child->text(QAccessible::Name).left(20);
        found << walk(child, depth + u'.');
    }
    return found;
}

void AccessibilityTest::tree_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QStringList>("objects");

    const QString sending = QStringLiteral("Vysílání: obrázek ukazuje znak každého napsaného písmene. "
                                           "Přijímání zahájí klávesa F2.");
    const QString receiving = QStringLiteral("Přijímání: napište písmeno, které ukazuje obrázek. "
                                             "Přijímání ukončí klávesa F2.");
    const QStringList top = {"Graphic Logo"};
    const QStringList about = {"StaticText Vlajkor - v1.0 (12.9"};
    const QStringList scores = {"Grouping Získané body",  ".StaticText Získané body 0",
                                "Grouping Trestné body",  ".StaticText Trestné body 0",
                                "Grouping Body celkem",   ".StaticText Body celkem 0",
                                "Grouping Počet pokusů",  ".StaticText Počet pokusů 0",
                                "Grouping Úspěšnost",     ".StaticText Úspěšnost - - %"};
    // Line by line as drawn: logo, picture and instructions; about text and button; scores.
    QTest::newRow("sending") << "" << sending
                             << top + QStringList{"Graphic Základní postavení", "StaticText Pro přijímání vlajko"}
                                    + about + QStringList{"Button Start"} + scores;
    QTest::newRow("sending a") << "a" << sending
                               << top + QStringList{"Graphic Obrázek A", "StaticText Pro přijímání vlajko"}
                                      + about + QStringList{"Button Start"} + scores;
    QTest::newRow("receiving") << "F2" << receiving
                               << top + QStringList{"Graphic Vysílané písmeno", "StaticText Určete vysílané písm"}
                                      + about + QStringList{"Button Stop"} + scores;
    QTest::newRow("sending again") << "F2,F2" << sending
                                   << top + QStringList{"Graphic Základní postavení", "StaticText Pro přijímání vlajko"}
                                          + about + QStringList{"Button Start"} + scores;
    // The answer, shown, over the picture's corner; the signs either side of their numbers.
    QStringList adjustable = scores;
    adjustable.insert(1, ".StaticText Ubrat získaný bod");
    adjustable.insert(3, ".StaticText Přidat získaný bod");
    adjustable.insert(5, ".StaticText Ubrat trestný bod");
    adjustable.insert(7, ".StaticText Přidat trestný bod");
    QTest::newRow("receiving, hidden mode") << "hidden,F2,Q" << receiving
                                            << top + QStringList{"Graphic Vysílané písmeno", "StaticText Určete vysílané písm"}
                                                   + about + QStringList{"StaticText Q", "Button Stop"} + adjustable;
}

void AccessibilityTest::tree()
{
    QFETCH(QString, steps);
    QFETCH(QString, description);
    QFETCH(QStringList, objects);

    WindowFixture f;
    QVERIFY(f.ready);
    setUp(f, steps);
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(f.window.get());
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Vlajkor"));
    QCOMPARE(window->text(QAccessible::Description), description);
    QCOMPARE(walk(window), objects);
}

void AccessibilityTest::letterToGuessIsNowhere()
{
    WindowFixture f;
    QVERIFY(f.ready);
    // Up to guess: Q at Start, and again after a right answer.
    f.typeKey(Qt::Key_F2);
    f.window->setF4(Q);
    f.type(QStringLiteral("q"));
    f.window->setF4(Q);

    // Every object, in the tree or not: names, descriptions and texts.
    QStringList seen{f.window->findChild<Announcer *>()->lastAnnouncement()};
    for (QWidget *widget : f.window->findChildren<QWidget *>()) {
        QAccessibleInterface *object = QAccessible::queryAccessibleInterface(widget);
        seen << object->text(QAccessible::Name) + u' ' + object->text(QAccessible::Description);
        if (QAccessibleTextInterface *text = object->textInterface())
            seen << text->text(0, text->characterCount());
    }
    for (const QString &text : seen)
        QVERIFY2(!names(text, Q), qPrintable(text));
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
