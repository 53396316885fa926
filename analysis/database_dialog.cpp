#include "analysis/database_dialog.h"

#include "analysis/control_chart_window.h"
#include "io/document_text.h"
#include "records/configured.h"
#include "records/store.h"
#include "ui/prompts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace analysis {

namespace {

using io::rendered;

} // namespace

DatabaseDialog::DatabaseDialog(ui::Prompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts) {
    setObjectName(QStringLiteral("databaseDialog"));
    setWindowTitle(tr("质控数据库"));
    auto* layout = new QVBoxLayout(this);

    local_ = new QRadioButton(tr("本机：%1").arg(io::fromDocument(records::defaultDatabase().path)),
                              this);
    local_->setObjectName(QStringLiteral("local"));
    postgresql_ = new QRadioButton(tr("PostgreSQL 服务器（实验室共用）"), this);
    postgresql_->setObjectName(QStringLiteral("postgresql"));
    layout->addWidget(local_);
    layout->addWidget(postgresql_);

    auto* form = new QFormLayout;
    host_ = new QLineEdit(this);
    host_->setObjectName(QStringLiteral("host"));
    host_->setPlaceholderText(tr("本机套接字"));
    port_ = new QSpinBox(this);
    port_->setObjectName(QStringLiteral("port"));
    port_->setRange(0, 65535);
    port_->setSpecialValueText(tr("默认（5432）"));
    database_ = new QLineEdit(this);
    database_->setObjectName(QStringLiteral("databaseName"));
    user_ = new QLineEdit(this);
    user_->setObjectName(QStringLiteral("user"));
    user_->setPlaceholderText(tr("登录名"));
    form->addRow(tr("主机或套接字目录："), host_);
    form->addRow(tr("端口："), port_);
    form->addRow(tr("数据库："), database_);
    form->addRow(tr("用户："), user_);
    layout->addLayout(form);
    auto* password = new QLabel(tr("密码不保存在设置中：请写入 ~/.pgpass，或在环境变量 "
                                   "PGPASSWORD 中给出。"),
                                this);
    password->setWordWrap(true);
    layout->addWidget(password);
    overridden_ = new QLabel(this);
    overridden_->setObjectName(QStringLiteral("overridden"));
    overridden_->setWordWrap(true);
    layout->addWidget(overridden_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* test = buttons->addButton(tr("测试连接"), QDialogButtonBox::ActionRole);
    test->setObjectName(QStringLiteral("testConnection"));
    connect(test, &QPushButton::clicked, this, &DatabaseDialog::testConnection);
    connect(buttons, &QDialogButtonBox::accepted, this, &DatabaseDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DatabaseDialog::reject);
    layout->addWidget(buttons);
    connect(postgresql_, &QRadioButton::toggled, this, &DatabaseDialog::enableFields);
}

void DatabaseDialog::enableFields() {
    for (QWidget* field : std::initializer_list<QWidget*>{host_, port_, database_, user_}) {
        field->setEnabled(postgresql_->isChecked());
    }
}

void DatabaseDialog::edit() {
    const records::DatabaseSetting setting = records::savedSetting();
    (setting.postgresql ? postgresql_ : local_)->setChecked(true);
    host_->setText(io::fromDocument(setting.host));
    port_->setValue(setting.port);
    database_->setText(io::fromDocument(setting.database));
    user_->setText(io::fromDocument(setting.user));
    enableFields();
    const auto environment = records::environmentDatabase();
    overridden_->setText(environment ? tr("环境变量 LUMETRA_DATABASE（%1）已指定质控数据库，"
                                          "优先于这里的设置。")
                                           .arg(io::fromDocument(*environment))
                                     : QString());
    overridden_->setVisible(environment.has_value());
    open();
}

namespace {

records::DatabaseSetting settingOf(const QRadioButton& postgresql, const QLineEdit& host,
                                   const QSpinBox& port, const QLineEdit& database,
                                   const QLineEdit& user) {
    records::DatabaseSetting setting;
    setting.postgresql = postgresql.isChecked();
    setting.host = io::toDocument(host.text().trimmed());
    setting.port = port.value();
    setting.database = io::toDocument(database.text().trimmed());
    setting.user = io::toDocument(user.text().trimmed());
    return setting;
}

} // namespace

void DatabaseDialog::testConnection() {
    const auto url = records::urlOf(settingOf(*postgresql_, *host_, *port_, *database_, *user_));
    if (const auto* why = std::get_if<calibration::Message>(&url)) {
        prompts_.tell(rendered(*why));
        return;
    }
    const records::DatabaseUrl& chosen = std::get<records::DatabaseUrl>(url);
    // The local file is made at the first filing, not for a test.
    if (records::missingFile(chosen)) {
        prompts_.tell(tr("本机的质控数据库 %1 还没有建立，归档第一个批次时自动建立")
                          .arg(io::fromDocument(records::databaseText(chosen))));
        return;
    }
    const auto store = records::openStore(chosen);
    if (!store) {
        prompts_.tell(rendered(store.fault().message));
        return;
    }
    prompts_.tell(tr("已连接质控数据库 %1").arg(io::fromDocument(records::databaseText(chosen))));
}

void DatabaseDialog::accept() {
    const records::DatabaseSetting setting =
        settingOf(*postgresql_, *host_, *port_, *database_, *user_);
    if (const auto url = records::urlOf(setting);
        const auto* why = std::get_if<calibration::Message>(&url)) {
        prompts_.tell(rendered(*why));
        return;
    }
    records::saveSetting(setting);
    emit changed();
    QDialog::accept();
}

void editQcDatabase(QWidget* owner, ui::Prompts& prompts) {
    auto* dialog = owner->findChild<DatabaseDialog*>(QString(), Qt::FindDirectChildrenOnly);
    if (dialog == nullptr) {
        dialog = new DatabaseDialog(prompts, owner);
        QObject::connect(dialog, &DatabaseDialog::changed, owner, [owner] {
            auto* charts =
                owner->findChild<ControlChartWindow*>(QString(), Qt::FindDirectChildrenOnly);
            if (charts != nullptr && charts->isVisible()) {
                charts->reload();
            }
        });
    }
    dialog->edit();
}

} // namespace analysis
