// Unit form: TMainForm, the program's one window, with its controls, its
// skin components and the three handlers that carry the program's behaviour.
#pragma once

#include "platform/directory_enumeration.h"
#include "ui/tdirectoryoutline.h"
#include "ui/tdrivecombobox.h"
#include "ui/tform.h"
#include "ui/tlistbox.h"
#include "ui/tskincaption.h"
#include "ui/tskindata.h"
#include "ui/tstatusbar.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <functional>
#include <memory>
#include <string>

namespace zorvane::ui {

class TMainForm : public TForm {
    Q_OBJECT
public:
    // Builds the window as its stored description gives it; MainForm refers
    // to it from here on.
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The components, in the order of the stored description's fields. The
    // window owns them.
    TDriveComboBox* dcbDrives;
    QLineEdit* edtFileMask;
    QLabel* lblFileMask;
    QPushButton* btnSearchForFiles;
    TListBox* lbFiles;
    TDirectoryOutline* dolDirectories;
    QLabel* Label1;
    QPushButton* btnClose;
    TSkinData* SkinData1;
    TSkinCaption* SkinCaption1;
    TStatusBar* stat1;

    // The search button's OnClick: under the wait cursor, empties lbFiles,
    // takes the mask field's text as it is and lists the files below the
    // tree's current directory that match it. An error ends the search,
    // leaves the lines appended before it and reaches the error display
    // after the cursor is back to the default.
    void btnSearchForFilesClick(QObject* Sender);
    // The drive picker's OnChange: gives the tree the picker's drive.
    void dcbDrivesChange(QObject* Sender);
    // The close button's OnClick: closes the main window, which ends the
    // program.
    void btnCloseClick(QObject* Sender);

    // Where the search reads directories from: the system's enumeration
    // unless given another (tests and tools watch or replace the file system
    // with it). The directory tree keeps its own.
    using EnumerationSource = std::function<std::unique_ptr<platform::DirectoryEnumeration>()>;
    void SetEnumerationSource(EnumerationSource source);

private:
    // The mask of the search under way: the mask field's text in the
    // system's 8-bit encoding, as file names come (UTF-8 on Linux); empty
    // until the first search.
    std::string FFileMask;

    std::string AppendPathDelimiter(const std::string& Path) const;
    // Appends every file below `Directory` that matches FFileMask to lbFiles.
    void SearchDirectory(const std::string& Directory);

    EnumerationSource m_enumerationSource;
};

// The one main window, or null before it is made and after it is gone.
extern TMainForm* MainForm;

}  // namespace zorvane::ui
