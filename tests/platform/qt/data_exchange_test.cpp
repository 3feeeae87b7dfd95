#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QtTest>

#include "platform/qt/data_exchange.h"
#include "tests/support/fake_services.h"

using namespace trazel::platform;

// A small form with one binding of each kind, in this exchange order:
// first (double), count (int), on (check), shape (radio of two), last (double).
class SampleForm : public QWidget {
  public:
    SampleForm() {
        auto* layout = new QVBoxLayout(this);
        for (QWidget* w : std::initializer_list<QWidget*>{firstEdit, countEdit, onBox, gauss,
                                                          lorentz, lastEdit}) {
            layout->addWidget(w);
        }
        dx.Text(firstEdit, first);
        dx.Text(countEdit, count);
        dx.Check(onBox, on);
        dx.Radio({gauss, lorentz}, shape);
        dx.Text(lastEdit, last);
    }

    QLineEdit* firstEdit = new QLineEdit(this);
    QLineEdit* countEdit = new QLineEdit(this);
    QCheckBox* onBox = new QCheckBox(QStringLiteral("on"), this);
    QRadioButton* gauss = new QRadioButton(QStringLiteral("g"), this);
    QRadioButton* lorentz = new QRadioButton(QStringLiteral("l"), this);
    QLineEdit* lastEdit = new QLineEdit(this);

    double first = 0.0;
    std::int32_t count = 0;
    std::int32_t on = 0;
    std::int32_t shape = -1;
    double last = 0.0;
    FakeServices fakes;
    DataExchange dx{fakes};
};

class DataExchangeTest : public QObject {
    Q_OBJECT

  private slots:
    void writesDoublesAsTheFrameworkShowsThem_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("tenth") << 0.1 << "0.1";
        QTest::newRow("third") << 1.0 / 3.0 << "0.333333333333333";
        QTest::newRow("large") << 1e20 << "1e+20";
        QTest::newRow("negative") << -2.5 << "-2.5";
    }
    void writesDoublesAsTheFrameworkShowsThem() {
        QFETCH(double, value);
        QFETCH(QString, text);
        SampleForm form;
        form.first = value;
        QVERIFY(form.dx.UpdateData(false));
        QCOMPARE(form.firstEdit->text(), text);
    }

    void readsEveryKindInOrder() {
        SampleForm form;
        RecordingMessageBox& box = form.fakes.messages;
        form.firstEdit->setText(QStringLiteral(" 2.5e3 "));
        form.countEdit->setText(QStringLiteral("-7"));
        form.onBox->setChecked(true);
        form.lorentz->setChecked(true);
        form.lastEdit->setText(QStringLiteral("+1"));
        QVERIFY(form.dx.UpdateData(true));
        QCOMPARE(form.first, 2500.0);
        QCOMPARE(form.count, -7);
        QCOMPARE(form.on, 1);
        QCOMPARE(form.shape, 1);
        QCOMPARE(form.last, 1.0);
        QVERIFY(box.shown.empty());
    }

    // A flag is on unless its box is clear, and shows as checked or clear.
    void checkBoxOnAFlagGoesBothWays_data() {
        QTest::addColumn<int>("shown");
        QTest::addColumn<bool>("read");
        QTest::newRow("checked") << int{Qt::Checked} << true;
        QTest::newRow("clear") << int{Qt::Unchecked} << false;
        QTest::newRow("in between") << int{Qt::PartiallyChecked} << true;
    }
    void checkBoxOnAFlagGoesBothWays() {
        QFETCH(int, shown);
        QFETCH(bool, read);
        QCheckBox box;
        box.setTristate(true);
        bool flag = !read;
        FakeServices fakes;
        DataExchange dx{fakes};
        dx.Check(&box, flag);
        box.setCheckState(static_cast<Qt::CheckState>(shown));
        QVERIFY(dx.UpdateData(true));
        QCOMPARE(flag, read);
        box.setCheckState(Qt::PartiallyChecked);
        QVERIFY(dx.UpdateData(false));
        QCOMPARE(box.checkState(), read ? Qt::Checked : Qt::Unchecked);
    }

    void radioGroupWithNoButtonCheckedGoesBothWays() {
        SampleForm form;
        form.shape = 1;
        form.dx.UpdateData(false);
        QVERIFY(form.lorentz->isChecked());
        // -1 clears the group even though the buttons are exclusive.
        form.shape = -1;
        form.dx.UpdateData(false);
        QVERIFY(!form.gauss->isChecked());
        QVERIFY(!form.lorentz->isChecked());
        QVERIFY(form.lorentz->autoExclusive());
        form.shape = 5;
        form.firstEdit->setText(QStringLiteral("0"));
        form.countEdit->setText(QStringLiteral("0"));
        form.lastEdit->setText(QStringLiteral("0"));
        QVERIFY(form.dx.UpdateData(true));
        QCOMPARE(form.shape, -1);
    }

    void stopsAtTheFirstTextThatIsNotANumber_data() {
        QTest::addColumn<QString>("firstText");
        QTest::addColumn<QString>("countText");
        QTest::addColumn<QString>("lastText");
        QTest::addColumn<int>("badField");  // 0 first, 1 count, 2 last
        QTest::addColumn<QString>("message");
        QTest::newRow("empty first") << ""
                                     << "3"
                                     << "4" << 0 << kNotANumberMessage;
        QTest::newRow("comma first") << "1,5"
                                     << "3"
                                     << "4" << 0 << kNotANumberMessage;
        QTest::newRow("fraction as int") << "1"
                                         << "2.5"
                                         << "4" << 1 << kNotAnIntegerMessage;
        QTest::newRow("word last") << "1"
                                   << "3"
                                   << "abc" << 2 << kNotANumberMessage;
        QTest::newRow("nan last") << "1"
                                  << "3"
                                  << "nan" << 2 << kNotANumberMessage;
        QTest::newRow("overflow last") << "1"
                                       << "3"
                                       << "1e999" << 2 << kNotANumberMessage;
    }
    void stopsAtTheFirstTextThatIsNotANumber() {
        QFETCH(QString, firstText);
        QFETCH(QString, countText);
        QFETCH(QString, lastText);
        QFETCH(int, badField);
        QFETCH(QString, message);

        SampleForm form;
        form.first = -1.0;
        form.count = -1;
        form.on = 0;
        form.last = -1.0;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));

        form.firstEdit->setText(firstText);
        form.countEdit->setText(countText);
        form.onBox->setChecked(true);
        form.lastEdit->setText(lastText);
        RecordingMessageBox& box = form.fakes.messages;
        QVERIFY(!form.dx.UpdateData(true));

        QCOMPARE(box.Texts(), QStringList{message});
        QLineEdit* edits[] = {form.firstEdit, form.countEdit, form.lastEdit};
        QCOMPARE(QApplication::focusWidget(), edits[badField]);
        QCOMPARE(edits[badField]->selectedText(), edits[badField]->text());
        // Fields before the bad one took the new values; it and those after
        // it kept theirs.
        QCOMPARE(form.first, badField > 0 ? 1.0 : -1.0);
        QCOMPARE(form.count, badField > 1 ? 3 : -1);
        QCOMPARE(form.on, badField > 1 ? 1 : 0);
        QCOMPARE(form.last, -1.0);
    }
};

QTEST_MAIN(DataExchangeTest)
#include "data_exchange_test.moc"
