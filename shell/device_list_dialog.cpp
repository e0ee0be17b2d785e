#include "shell/device_list_dialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "document/control_id.h"
#include "document/multi_tessel_doc.h"
#include "shell/status_text.h"
#include "view/dialogs/dialog_support.h"

namespace korvane {

DeviceListDialog::DeviceListDialog(std::vector<int> freeDevices, const DeviceLibrary* library,
                                   const LanguageTable& language, QWidget* parent)
    : QDialog(parent),
      freeDevices_(std::move(freeDevices)),
      list_(new QTableWidget(this)),
      ok_(new QPushButton(LanguageTextOr(kOkTextKey, "OK"), this)) {
    auto* prompt = new QLabel(QStringLiteral("You can select one and pres OK!"), this);
    SetControlId(*prompt, kPromptId);
    SetControlId(*list_, kListId);
    SetControlId(*ok_, kOkId);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(list_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    layout->addLayout(buttons);

    setWindowTitle(CMultiTesselDoc::GetLanguageText(kDialogId));
    CMultiTesselDoc::TranslateWindow(*this);

    list_->clear();
    list_->setColumnCount(1);
    list_->setHorizontalHeaderLabels({CMultiTesselDoc::GetLanguageText(2014)});
    list_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    list_->verticalHeader()->hide();
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setRowCount(static_cast<int>(freeDevices_.size()));
    for (int row = 0; row < list_->rowCount(); ++row) {
        const int device = freeDevices_[static_cast<std::size_t>(row)];
        QString text = QString::number(device + 1);
        const std::string description = DescribeDevice(library, device, language);
        if (!description.empty()) {
            text += QStringLiteral("  ") + QString::fromStdString(description);
        }
        list_->setItem(row, 0, new QTableWidgetItem(text));
    }

    // OK without a choice takes the first row; showing it selected says so.
    if (list_->rowCount() > 0) {
        list_->selectRow(0);
    }
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &DeviceListDialog::Choose);
    connect(list_, &QTableWidget::cellDoubleClicked, this, &DeviceListDialog::Choose);
}

void DeviceListDialog::Choose() {
    if (freeDevices_.empty()) {
        reject();
        return;
    }
    int row = 0;
    const QList<QTableWidgetItem*> selected = list_->selectedItems();
    if (!selected.isEmpty()) {
        row = selected.front()->row();
        for (const QTableWidgetItem* item : selected) {
            row = std::min(row, item->row());
        }
    }
    chosen_ = freeDevices_[static_cast<std::size_t>(row)];
    accept();
}

}  // namespace korvane
