#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <memory>
#include <stdexcept>

#include "AccessibleText.h"
#include "Fonts.h"
#include "ProgBtn.h"

class tst_ProgBtn : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void caption();
    void groups_data();
    void groups();
    void groupPlaces();
    void buttons();
    void tabOrder();

    void enterAccepts();
    void okAccepts();
    void escapeRejects();
    void cancelRejects();
    void closeBoxRejects();
    void centredOverParent();

    void macroTexts_data();
    void macroTexts();
    void macroNumberOutOfRange();

private:
    template<typename T> T* child(const QString& name) const
    {
        T* found = m_form->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    void showForm();
    QLineEdit* nameEdit(int i) const { return child<QLineEdit>(QStringLiteral("NameEdit%1").arg(i)); }
    QLineEdit* cmdEdit(int i) const { return child<QLineEdit>(QStringLiteral("CmdEdit%1").arg(i)); }

    std::unique_ptr<TProgBtnForm> m_form;
};

void tst_ProgBtn::initTestCase()
{
    registerFonts();
}

void tst_ProgBtn::init()
{
    m_form = std::make_unique<TProgBtnForm>();
}

void tst_ProgBtn::cleanup()
{
    m_form.reset();
}

void tst_ProgBtn::showForm()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void tst_ProgBtn::caption()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Boutons programmés"));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    QCOMPARE(m_form->size(), m_form->minimumSize());
}

void tst_ProgBtn::groups_data()
{
    QTest::addColumn<int>("i");
    QTest::addColumn<QString>("title");
    QTest::newRow("1") << 1 << QStringLiteral(" Bouton n°1 ");
    QTest::newRow("2") << 2 << QStringLiteral(" Bouton n°2 ");
    QTest::newRow("3") << 3 << QStringLiteral(" Bouton n°3 ");
    QTest::newRow("4") << 4 << QStringLiteral(" Bouton n°4 ");
}

// Each group frames a "Nom" and a "Commande" label, each the buddy label of the edit to its right.
void tst_ProgBtn::groups()
{
    QFETCH(int, i);
    QFETCH(QString, title);
    auto* group = child<QGroupBox>(QStringLiteral("GroupBox%1").arg(i));
    QCOMPARE(group->title(), title);

    const struct
    {
        QString labelName;
        QString text;
        QLineEdit* edit;
        QString accessible;
    } rows[] = {
        {QStringLiteral("NameLabel%1").arg(i), QStringLiteral("Nom"), nameEdit(i),
         QStringLiteral("Nom, bouton %1").arg(i)},
        {QStringLiteral("CmdLabel%1").arg(i), QStringLiteral("Commande"), cmdEdit(i),
         QStringLiteral("Commande, bouton %1").arg(i)},
    };
    for (const auto& row : rows) {
        auto* label = child<QLabel>(row.labelName);
        QCOMPARE(label->text(), row.text);
        QCOMPARE(label->buddy(), row.edit);
        QCOMPARE(label->parentWidget(), group);
        QCOMPARE(row.edit->parentWidget(), group);
        QVERIFY(label->geometry().right() < row.edit->geometry().left());
        QVERIFY(label->sizeHint().width() <= label->width()); // the caption fits
        QVERIFY(group->contentsRect().contains(row.edit->geometry()));
        QCOMPARE(accessibleText(row.edit), row.accessible);
    }
    QVERIFY(nameEdit(i)->y() < cmdEdit(i)->y());
}

void tst_ProgBtn::groupPlaces()
{
    const auto place = [this](int i) {
        return child<QGroupBox>(QStringLiteral("GroupBox%1").arg(i))->geometry();
    };
    QCOMPARE(place(2).top(), place(1).top());
    QVERIFY(place(1).right() < place(2).left());
    QCOMPARE(place(3).left(), place(1).left());
    QVERIFY(place(1).bottom() < place(3).top());
    QCOMPARE(place(4).left(), place(2).left());
    QCOMPARE(place(4).top(), place(3).top());
    QVERIFY(m_form->rect().contains(place(4)));
}

void tst_ProgBtn::buttons()
{
    auto* ok = child<QPushButton>("OKBtn");
    auto* cancel = child<QPushButton>("CancelBtn");
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
    QVERIFY(ok->isDefault());
    QVERIFY(!cancel->isDefault());
    QVERIFY(ok->geometry().right() < cancel->geometry().left());
    for (int i = 1; i <= TProgBtnForm::MacroCount; ++i) {
        const QRect group = child<QGroupBox>(QStringLiteral("GroupBox%1").arg(i))->geometry();
        QVERIFY(group.bottom() < ok->geometry().top());
    }
    QVERIFY(m_form->rect().contains(cancel->geometry()));
}

void tst_ProgBtn::tabOrder()
{
    QList<QWidget*> expected;
    for (int i = 1; i <= TProgBtnForm::MacroCount; ++i)
        expected << nameEdit(i) << cmdEdit(i);
    expected << child<QPushButton>("OKBtn") << child<QPushButton>("CancelBtn");

    showForm();
    QCOMPARE(QApplication::focusWidget(), expected.first());
    QList<QWidget*> visited;
    for (qsizetype step = 0; step < expected.size(); ++step) {
        visited << QApplication::focusWidget();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, expected);
    QCOMPARE(QApplication::focusWidget(), expected.first()); // and round again
}

void tst_ProgBtn::enterAccepts()
{
    showForm();
    QSignalSpy finished(m_form.get(), &QDialog::finished);
    cmdEdit(3)->setFocus();
    QTest::keyClick(cmdEdit(3), Qt::Key_Return);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toInt(), int(QDialog::Accepted));
    QVERIFY(!m_form->isVisible());
}

void tst_ProgBtn::okAccepts()
{
    showForm();
    QTest::mouseClick(child<QPushButton>("OKBtn"), Qt::LeftButton);
    QCOMPARE(m_form->result(), int(QDialog::Accepted));
    QVERIFY(!m_form->isVisible());
}

void tst_ProgBtn::escapeRejects()
{
    showForm();
    QSignalSpy finished(m_form.get(), &QDialog::finished);
    QTest::keyClick(nameEdit(1), Qt::Key_Escape);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toInt(), int(QDialog::Rejected));
}

void tst_ProgBtn::cancelRejects()
{
    showForm();
    m_form->setResult(QDialog::Accepted);
    QTest::mouseClick(child<QPushButton>("CancelBtn"), Qt::LeftButton);
    QCOMPARE(m_form->result(), int(QDialog::Rejected));
    QVERIFY(!m_form->isVisible());
}

// The platform's close request, as the title bar's close box sends it.
void tst_ProgBtn::closeBoxRejects()
{
    showForm();
    QSignalSpy finished(m_form.get(), &QDialog::finished);
    QVERIFY(m_form->windowHandle()->close());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toInt(), int(QDialog::Rejected));
}

void tst_ProgBtn::centredOverParent()
{
    QWidget mainWindow;
    mainWindow.setGeometry(90, 60, 620, 460);
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));

    TProgBtnForm editor(&mainWindow);
    QVERIFY(editor.isWindow());
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    const QPoint offset = editor.frameGeometry().center() - mainWindow.frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2,
             qPrintable(QStringLiteral("off by %1, %2").arg(offset.x()).arg(offset.y())));
}

void tst_ProgBtn::macroTexts_data()
{
    QTest::addColumn<int>("i");
    QTest::newRow("macro 1") << 1;
    QTest::newRow("macro 2") << 2;
    QTest::newRow("macro 3") << 3;
    QTest::newRow("macro 4") << 4;
}

// Each macro reaches its own pair of edits, texts kept exactly, blanks included; the others stay empty.
void tst_ProgBtn::macroTexts()
{
    QFETCH(int, i);
    const QString name = QStringLiteral(" SH/DX 20 ");
    const QString command = QStringLiteral("  SHOW/DX 14000-14350 ");
    m_form->setMacro(i, name, command);
    for (int j = 1; j <= TProgBtnForm::MacroCount; ++j) {
        QCOMPARE(m_form->name(j), j == i ? name : QString());
        QCOMPARE(m_form->command(j), j == i ? command : QString());
    }
    QCOMPARE(nameEdit(i)->text(), name);
    QCOMPARE(cmdEdit(i)->text(), command);

    cmdEdit(i)->clear();
    QTest::keyClicks(cmdEdit(i), QStringLiteral("SH/WWV"));
    QCOMPARE(m_form->command(i), QStringLiteral("SH/WWV"));
}

void tst_ProgBtn::macroNumberOutOfRange()
{
    QVERIFY_THROWS_EXCEPTION(std::out_of_range,
                             m_form->setMacro(0, QStringLiteral("a"), QStringLiteral("b")));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, m_form->name(5));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, m_form->command(-1));
}

QTEST_MAIN(tst_ProgBtn)
#include "tst_ProgBtn.moc"
