// Texts kept as code page 932 bytes: typing and pasting stop at a field's byte limit, and a
// stored text whose bytes do not decode passes through unchecked and unwritten until changed.
#include "SettingsFixture.h"

#include "app/MainDlg.h"
#include "platform/QtText.h"
#include "res/ControlIds.h"
#include "settings/RenameDlg.h"
#include "support/Controls.h"

#include <QClipboard>
#include <QTabBar>
#include <QTest>

namespace {

using StoredBytesTest = SettingsFixture;

// Bytes that code page 932 does not define, around plain text.
const std::string kUndecodable = "\x85\x40name\xFD";

// Types each character as a key press of its own.
void Type(QLineEdit* edit, const QString& text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

TEST_F(StoredBytesTest, TypingAndPastingStopAtTheByteLimitAFullWidthCharacterCountingTwo)
{
    auto page = OpenPage();
    CRenameDlg rename(seam);
    const std::pair<QLineEdit*, int> fields[] = {
        {NameEdit(*page), kMaxNameBytes},
        {rename.Get<QLineEdit>(RenameIds::IDC_NAME), static_cast<int>(kMaxLineBytes)}};
    for (const auto& [edit, limit] : fields) {
        edit->clear();
        Type(edit, QString(limit / 2 + 3, QChar(0x3042))); // "あ", two bytes each
        EXPECT_EQ(Cp932ByteCount(edit->text()), limit - limit % 2) << limit;
        Type(edit, QStringLiteral("ab"));
        EXPECT_EQ(Cp932ByteCount(edit->text()), limit) << limit;

        edit->setText(QStringLiteral("x"));
        edit->setCursorPosition(0);
        QApplication::clipboard()->setText(QString(limit, QChar(0x3044)) + QStringLiteral("tail"));
        edit->paste();
        EXPECT_EQ(edit->text(), QString((limit - 1) / 2, QChar(0x3044)) + QStringLiteral("x")) << limit;
        // A text the program sets stays whole, and shortening it is allowed.
        edit->setText(QString(limit + 10, QLatin1Char('z')));
        QTest::keyClick(edit, Qt::Key_Backspace);
        EXPECT_EQ(edit->text().size(), limit + 9) << limit;
    }
}

TEST_F(StoredBytesTest, AnUndecodableNameIsNeitherCheckedNorRewrittenUntilChanged)
{
    const std::string settings = "1000\r\n1\r\n30\r\n0\r\n0\r\n" + kUndecodable + "\r\n";
    WriteBytes("setting.txt", settings);
    CMainDlg dlg(seam);
    dlg.OnInitDialog();
    dlg.TabBar()->setCurrentIndex(CMainDlg::kSettingsTab);
    CSettingsPage& page = PageOf<CSettingsPage>(dlg);
    LoseFocus(NameEdit(page));
    dlg.TabBar()->setCurrentIndex(0); // leaving the page reads the fields back
    EXPECT_TRUE(seam.messages.empty());
    EXPECT_EQ(ReadBytes("setting.txt"), settings);
    EXPECT_EQ(page.Name(), kUndecodable);

    dlg.TabBar()->setCurrentIndex(CMainDlg::kSettingsTab);
    NameEdit(page)->setText(NameEdit(page)->text() + QStringLiteral("2"));
    LoseFocus(NameEdit(page));
    EXPECT_EQ(seam.messages.size(), 1u) << "a changed text is checked";
    NameEdit(page)->setText(QStringLiteral("山田"));
    LoseFocus(NameEdit(page));
    NameEdit(page)->setText(QStringLiteral("山田"));
    LoseFocus(NameEdit(page));
    EXPECT_EQ(ReadBytes("setting.txt"), "1000\r\n1\r\n30\r\n0\r\n0\r\n" + Sjis("山田") + "\r\n");
}

TEST_F(StoredBytesTest, AnUndecodableTypeNameConfirmedUnchangedIsNotRewritten)
{
    const std::string items = "a\r\n" + kUndecodable + "\r\nc\r\n";
    WriteBytes("item.txt", items);
    auto page = OpenPage();
    TypeList(*page)->setCurrentRow(1);
    int result = 0;
    seam.QueueDialog([&](QDialog& dlg) { return result = PressOk(dlg); });
    page->OnRenameType();
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(seam.messages.empty());
    EXPECT_EQ(ReadBytes("item.txt"), items);
}
