#pragma once

// "质控数据库": where this workstation keeps its quality-control records, kept in the settings:
// 本机 (the default SQLite file in the program's data folder) or a laboratory's PostgreSQL server
// (host or socket folder, port, database, user). No password is asked for or kept: libpq reads
// it from ~/.pgpass or PGPASSWORD. LUMETRA_DATABASE, when set, is used instead, and the dialog
// says so.

#include <QDialog>

class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace ui {
class Prompts;
}

namespace analysis {

class DatabaseDialog final : public QDialog {
    Q_OBJECT
public:
    DatabaseDialog(ui::Prompts& prompts, QWidget* parent);

    // Fills the fields from the settings and shows the dialog.
    void edit();
    // "测试连接": opens the database the fields name and says whether it could.
    void testConnection();

signals:
    // The setting was saved.
    void changed();

private:
    void accept() override;
    void enableFields();

    ui::Prompts& prompts_;
    QRadioButton* local_ = nullptr;
    QRadioButton* postgresql_ = nullptr;
    QLineEdit* host_ = nullptr;
    QSpinBox* port_ = nullptr;
    QLineEdit* database_ = nullptr;
    QLineEdit* user_ = nullptr;
    QLabel* overridden_ = nullptr;
};

// Shows the dialog of `owner` ("质控数据库…" in the analysis window's menu), made at the first
// call; a saved change reloads the control charts' window when it is open.
void editQcDatabase(QWidget* owner, ui::Prompts& prompts);

} // namespace analysis
