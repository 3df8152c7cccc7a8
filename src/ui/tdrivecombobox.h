// The drive picker: a drop-down list of the volumes, the current one selected.
#pragma once

#include <QComboBox>

#include <string>

class TDriveComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TDriveComboBox(QWidget* parent = nullptr);

    // The root path of the current volume, e.g. "/".
    std::string Drive() const;

signals:
    // OnChange: emitted once when the picker is first shown, then for the
    // user's choices.
    void changed();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::string m_drive;
    bool m_announced = false;
};
