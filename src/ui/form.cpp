#include "ui/form.h"

#include "platform/directory_enumeration.h"
#include "platform/path_rules.h"
#include "search/file_search.h"
#include "ui/tscreen.h"

#include <QFont>

namespace zorvane::ui {

TMainForm* MainForm = nullptr;

namespace {

constexpr QSize kClientSize(408, 352);
// AutoSize never lets the client area get narrower or lower than this.
constexpr QSize kAutoSizeMinimum(401, 325);

const char* const kMakerAddress = "https://zorvane.example";

template <typename Control>
Control* place(Control* control, const char* name, int left, int top, int width, int height)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(left, top, width, height);
    return control;
}

}  // namespace

TMainForm::TMainForm(QWidget* parent) : TForm(parent), m_enumerationSource(platform::newNativeEnumeration)
{
    MainForm = this;
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Zorvanev1.2"));
    resize(kClientSize);

    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    setFont(font);

    // The stored description's order, which is also the order the controls'
    // windows are created in: the drive picker before the tree.
    lblFileMask = place(new QLabel(QStringLiteral("文件名称："), this), "lblFileMask", 260, 0, 60, 13);
    Label1 = place(new QLabel(QStringLiteral("搜索路径："), this), "Label1", 24, 0, 60, 13);
    dcbDrives = place(new TDriveComboBox(this), "dcbDrives", 28, 24, 213, 19);
    edtFileMask = place(new QLineEdit(QStringLiteral("*.pas"), this), "edtFileMask", 260, 24, 141, 21);
    btnSearchForFiles = place(new QPushButton(QStringLiteral("搜索"), this), "btnSearchForFiles", 328, 68, 73, 33);
    lbFiles = place(new TListBox(this), "lbFiles", 24, 188, 377, 137);
    dolDirectories = place(new TDirectoryOutline(this), "dolDirectories", 28, 52, 213, 121);
    btnClose = place(new QPushButton(QStringLiteral("关闭"), this), "btnClose", 328, 116, 73, 33);
    stat1 = place(new TStatusBar(this), "stat1", 0, 328, 408, 24);
    SkinData1 = new TSkinData(this);
    SkinCaption1 = new TSkinCaption(this);

    for (QLabel* label : {lblFileMask, Label1})
        label->setTextFormat(Qt::PlainText);
    // Neither button is a default or cancel button: Enter and Esc press nothing.
    for (QPushButton* button : {btnSearchForFiles, btnClose}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    stat1->SetPanelText(QString::fromLatin1(kMakerAddress));

    setTabOrder(dcbDrives, edtFileMask);
    setTabOrder(edtFileMask, btnSearchForFiles);
    setTabOrder(btnSearchForFiles, lbFiles);
    setTabOrder(lbFiles, dolDirectories);
    setTabOrder(dolDirectories, btnClose);

    // What a screen reader says for each control; the visible labels stay
    // as they are.
    const struct {
        QWidget* control;
        const char* name;
        const char* description;
    } accessibleTexts[] = {
        {dcbDrives, "Drive", "The volume to search"},
        {edtFileMask, "File mask", "Names to look for; * matches any run of characters, ? one character"},
        {btnSearchForFiles, "Search", "Search the chosen directory and everything below it"},
        {lbFiles, "Results", "Full paths of the files found"},
        {dolDirectories, "Directory tree", "The directory to search"},
        {btnClose, "Close", "Close Zorvane"},
        {stat1, "Status bar", ""},
    };
    for (const auto& texts : accessibleTexts) {
        texts.control->setAccessibleName(QString::fromLatin1(texts.name));
        texts.control->setAccessibleDescription(QString::fromLatin1(texts.description));
    }

    connect(dcbDrives, &TDriveComboBox::changed, this, [this] { dcbDrivesChange(dcbDrives); });
    connect(btnSearchForFiles, &QPushButton::clicked, this, [this] { btnSearchForFilesClick(btnSearchForFiles); });
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(btnClose); });

    AutoSize(kAutoSizeMinimum);
}

TMainForm::~TMainForm()
{
    if (MainForm == this)
        MainForm = nullptr;
}

void TMainForm::btnSearchForFilesClick(QObject* /*Sender*/)
{
    // Set before anything else and reset last, also when the search fails:
    // the error display then comes up under the normal cursor.
    const TWaitCursor waitCursor;
    lbFiles->Clear();
    // Whole and unchanged: the search fixes this mask from its first
    // directory to its last, whatever the field shows meanwhile.
    FFileMask = edtFileMask->text().toLocal8Bit().toStdString();
    SearchDirectory(dolDirectories->Directory());
}

void TMainForm::dcbDrivesChange(QObject* /*Sender*/)
{
    dolDirectories->setDrive(dcbDrives->Drive());
}

void TMainForm::btnCloseClick(QObject* /*Sender*/)
{
    MainForm->close();
}

std::string TMainForm::AppendPathDelimiter(const std::string& Path) const
{
    return search::AppendPathDelimiter(Path, platform::nativePathRules().separator);
}

void TMainForm::SetEnumerationSource(EnumerationSource source)
{
    m_enumerationSource = source ? std::move(source) : EnumerationSource(platform::newNativeEnumeration);
}

void TMainForm::SearchDirectory(const std::string& Directory)
{
    const std::unique_ptr<platform::DirectoryEnumeration> enumeration = m_enumerationSource();
    TListBoxSink sink(*lbFiles);
    search::FileSearch search(*enumeration, sink, FFileMask, platform::nativePathRules());
    search.SearchDirectory(Directory);
}

}  // namespace zorvane::ui
