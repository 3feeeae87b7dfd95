#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>
#include <vector>

#include "document/trazel_doc.h"
#include "platform/qt/data_exchange.h"
#include "tests/support/fake_services.h"
#include "ui/control_ids.h"
#include "ui/form/trazel_view.h"

// A document with a fresh form over it, shown and active so that focus and
// keys behave as they do for a user.
struct Form {
    Form() {
        document.OnNewDocument();
        view = std::make_unique<trazel::ui::CTrazelView>(context, fakes);
        view->OnInitialUpdate();
        view->show();
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view.get()));
    }

    QLineEdit* Edit(int id) const { return qobject_cast<QLineEdit*>(view->GetDlgItem(id)); }
    QAbstractButton* Button(int id) const {
        return qobject_cast<QAbstractButton*>(view->GetDlgItem(id));
    }

    // Replaces the text of a field as a user would: select all, type.
    void Type(int id, const QString& text) const {
        QLineEdit* edit = Edit(id);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    void AddPeak(const QString& pos, const QString& inten, const QString& wid) const {
        Type(trazel::ui::IDC_POSITION, pos);
        Type(trazel::ui::IDC_INTENSITY, inten);
        Type(trazel::ui::IDC_WIDTH, wid);
        QTest::keyClick(Edit(trazel::ui::IDC_WIDTH), Qt::Key_Return);
    }

    void Click(int id) const { QTest::mouseClick(Button(id), Qt::LeftButton); }

    // Clicks the first cell of each row, with Ctrl held after the first.
    void SelectRows(std::initializer_list<int> rows) const { SelectRows(std::vector<int>(rows)); }
    void SelectRows(const std::vector<int>& rows) const {
        QTreeWidget* list = view->peakList;
        bool first = true;
        for (const int row : rows) {
            const QRect cell = list->visualItemRect(list->topLevelItem(row));
            QTest::mouseClick(list->viewport(), Qt::LeftButton,
                              first ? Qt::NoModifier : Qt::ControlModifier,
                              QPoint(cell.left() + 10, cell.center().y()));
            first = false;
        }
    }

    QStringList Row(int row) const {
        QStringList cells;
        QTreeWidgetItem* item = view->peakList->topLevelItem(row);
        for (int c = 0; c < view->peakList->columnCount(); ++c) {
            cells << item->text(c);
        }
        return cells;
    }

    QStringList Column(int column) const {
        QStringList cells;
        for (int r = 0; r < view->peakList->topLevelItemCount(); ++r) {
            cells << view->peakList->topLevelItem(r)->text(column);
        }
        return cells;
    }

    // The view asks the user through these.
    FakeServices fakes;
    trazel::document::CTrazelDoc document;
    trazel::ui::DocumentContext context{document};
    std::unique_ptr<trazel::ui::CTrazelView> view;
};
