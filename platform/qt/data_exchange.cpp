#include "platform/qt/data_exchange.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QRadioButton>

#include "platform/number_format.h"

namespace trazel::platform {

namespace {

constexpr char kNotANumber[] = QT_TRANSLATE_NOOP("DataExchange", "Introduzca un número.");
constexpr char kNotAnInteger[] = QT_TRANSLATE_NOOP("DataExchange", "Introduzca un número entero.");

// Tells the user and leaves the field ready to be typed over.
bool Refuse(const Services& services, QLineEdit* edit, const char* message) {
    services.AfxMessageBox(QCoreApplication::translate("DataExchange", message),
                           MessageKind::Warning, MessageButtons::Ok);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    return false;
}

}  // namespace

const QString kNotANumberMessage = QString::fromUtf8(kNotANumber);
const QString kNotAnIntegerMessage = QString::fromUtf8(kNotAnInteger);

void DataExchange::Text(QLineEdit* edit, double& field) {
    bindings_.push_back(
        {[this, edit, &field] {
             const auto value = ParseDouble(edit->text().toStdString());
             if (!value) {
                 return Refuse(services_, edit, kNotANumber);
             }
             field = *value;
             return true;
         },
         [edit, &field] { edit->setText(QString::fromStdString(FormatEditDouble(field))); }});
}

void DataExchange::Text(QLineEdit* edit, std::int32_t& field) {
    bindings_.push_back({[this, edit, &field] {
                             const auto value = ParseInt(edit->text().toStdString());
                             if (!value) {
                                 return Refuse(services_, edit, kNotAnInteger);
                             }
                             field = *value;
                             return true;
                         },
                         [edit, &field] { edit->setText(QString::number(field)); }});
}

void DataExchange::Text(QLineEdit* edit, QString& field) {
    bindings_.push_back({[edit, &field] {
                             field = edit->text();
                             return true;
                         },
                         [edit, &field] { edit->setText(field); }});
}

void DataExchange::Check(QCheckBox* box, std::int32_t& field) {
    bindings_.push_back({[box, &field] {
                             switch (box->checkState()) {
                                 case Qt::Unchecked:
                                     field = 0;
                                     break;
                                 case Qt::Checked:
                                     field = 1;
                                     break;
                                 case Qt::PartiallyChecked:
                                     field = 2;
                                     break;
                             }
                             return true;
                         },
                         [box, &field] {
                             if (field == 2 && box->isTristate()) {
                                 box->setCheckState(Qt::PartiallyChecked);
                             } else {
                                 box->setChecked(field != 0);
                             }
                         }});
}

void DataExchange::Check(QCheckBox* box, bool& field) {
    bindings_.push_back({[box, &field] {
                             field = box->checkState() != Qt::Unchecked;
                             return true;
                         },
                         [box, &field] { box->setChecked(field); }});
}

void DataExchange::Radio(std::vector<QRadioButton*> group, std::int32_t& field) {
    bindings_.push_back({[group, &field] {
                             field = -1;
                             for (std::size_t i = 0; i < group.size(); ++i) {
                                 if (group[i]->isChecked()) {
                                     field = static_cast<std::int32_t>(i);
                                     break;
                                 }
                             }
                             return true;
                         },
                         [group, &field] {
                             for (std::size_t i = 0; i < group.size(); ++i) {
                                 // An exclusive button refuses to be cleared, and -1
                                 // means that none is checked.
                                 QRadioButton* button = group[i];
                                 const bool exclusive = button->autoExclusive();
                                 button->setAutoExclusive(false);
                                 button->setChecked(static_cast<std::int32_t>(i) == field);
                                 button->setAutoExclusive(exclusive);
                             }
                         }});
}

bool DataExchange::UpdateData(bool saveAndValidate) const {
    for (const auto& binding : bindings_) {
        if (saveAndValidate) {
            if (!binding.read()) {
                return false;
            }
        } else {
            binding.write();
        }
    }
    return true;
}

}  // namespace trazel::platform
