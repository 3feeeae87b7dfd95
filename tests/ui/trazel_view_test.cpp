#include "platform/number_format.h"
#include "tests/ui/form_fixture.h"
#include "ui/dialogs/output_format_dlg.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;
using namespace trazel::ui;

namespace {

const int kGraphLabels[] = {IDC_LABEL_X_MIN, IDC_LABEL_X_MAX, IDC_LABEL_Y_MIN,
                            IDC_LABEL_Y_MAX, IDC_LABEL_X,     IDC_LABEL_Y};

// Every numeric field of the form, in the order the form reads them.
struct NumericField {
    int id;
    double& (*field)(ViewFields&);
    const char* name;
};
const NumericField kNumericFields[] = {
    {IDC_POSITION, [](ViewFields& v) -> double& { return v.position; }, "position"},
    {IDC_INTENSITY, [](ViewFields& v) -> double& { return v.intensity; }, "intensity"},
    {IDC_WIDTH, [](ViewFields& v) -> double& { return v.width; }, "width"},
    {IDC_UNIQUE_WIDTH, [](ViewFields& v) -> double& { return v.uniqueWidth; }, "unique width"},
    {IDC_X_MIN, [](ViewFields& v) -> double& { return v.curve.xMin; }, "x min"},
    {IDC_X_MAX, [](ViewFields& v) -> double& { return v.curve.xMax; }, "x max"},
    {IDC_Y_MIN, [](ViewFields& v) -> double& { return v.curve.yMin; }, "y min"},
    {IDC_Y_MAX, [](ViewFields& v) -> double& { return v.curve.yMax; }, "y max"},
    {IDC_SCALE, [](ViewFields& v) -> double& { return v.scale; }, "scale"},
};
constexpr int kNumericFieldCount = static_cast<int>(std::size(kNumericFields));

}  // namespace

class TrazelViewTest : public QObject {
    Q_OBJECT

  private slots:
    void startState() {
        Form f;
        for (const int id : {IDC_POSITION, IDC_INTENSITY, IDC_WIDTH, IDC_UNIQUE_WIDTH, IDC_X_MIN,
                             IDC_X_MAX, IDC_Y_MIN, IDC_Y_MAX}) {
            QCOMPARE(f.Edit(id)->text(), QStringLiteral("0"));
        }
        QCOMPARE(f.Edit(IDC_SCALE)->text(), QStringLiteral("1"));
        QVERIFY(f.Button(IDC_GAUSSIAN)->isChecked());
        QVERIFY(!f.Button(IDC_LORENTZIAN)->isChecked());
        for (const int id : {IDC_JOIN_POINTS, IDC_USE_SCALED, IDC_UNIQUE_WIDTH_ON}) {
            QVERIFY(!f.Button(id)->isChecked());
        }
        QVERIFY(!f.Edit(IDC_UNIQUE_WIDTH)->isEnabled());
        QVERIFY(!f.Button(IDC_ASSIGN_WIDTH)->isEnabled());
        QVERIFY(f.Edit(IDC_WIDTH)->isEnabled());
        for (const int id : kGraphLabels) {
            QVERIFY(f.view->GetDlgItemText(id).isEmpty());
        }
        QCOMPARE(f.view->fields.outputPath, std::string("datos.txt"));
        QCOMPARE(f.view->fields.decimalComma, true);
        QCOMPARE(f.view->fields.resolution, 250);
        QCOMPARE(f.view->fields.screenSamples, 250);
        QCOMPARE(f.view->fields.curve.lineShape, 0);
        QVERIFY(!f.view->fields.graphShown);
        QCOMPARE(f.view->progressBar->maximum(), 250);
        QCOMPARE(f.view->progressBar->value(), 0);
        QVERIFY(!f.view->progressBar->isTextVisible());
        QCOMPARE(f.view->peakList->topLevelItemCount(), 0);
    }

    void listColumns() {
        Form f;
        QTreeWidget* list = f.view->peakList;
        QCOMPARE(list->columnCount(), 6);
        const QStringList headings = {"Máximo", "Escala", "Máx*Esc", "Intensidad", "Anchura", "R"};
        const int widths[] = {50, 50, 60, 70, 65, 20};
        for (int c = 0; c < 6; ++c) {
            QCOMPARE(list->headerItem()->text(c), headings[c]);
            QCOMPARE(list->header()->sectionSize(c), widths[c]);
            const auto horizontal =
                Qt::Alignment(list->headerItem()->textAlignment(c)) & Qt::AlignHorizontal_Mask;
            QCOMPARE(horizontal, c < 5 ? Qt::AlignHCenter : Qt::AlignLeft);
        }
    }

    void enterAddsThePeakAndSelectsThePosition() {
        Form f;
        f.Type(IDC_POSITION, "500");
        QTest::keyClick(f.Edit(IDC_POSITION), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), "2");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), "10");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(f.view->peakList->topLevelItemCount(), 1);
        QCOMPARE(f.Row(0), (QStringList{"500", "1", "500", "2", "10", "n"}));
        QCOMPARE(QApplication::focusWidget(), f.Edit(IDC_POSITION));
        QCOMPARE(f.Edit(IDC_POSITION)->selectedText(), QStringLiteral("500"));
        QVERIFY(f.document.IsModified());
        // The fields keep their values for the next peak.
        QCOMPARE(f.Edit(IDC_WIDTH)->text(), QStringLiteral("10"));
    }

    void enterFromAnyControlButAButtonAdds() {
        Form f;
        f.Button(IDC_JOIN_POINTS)->setFocus();
        QTest::keyClick(f.Button(IDC_JOIN_POINTS), Qt::Key_Return);
        QCOMPARE(f.document.Table().PeakCount(), 1);
        // On a focused button Enter presses that button instead.
        f.Button(IDC_CLEAR_ALL)->setFocus();
        QTest::keyClick(f.Button(IDC_CLEAR_ALL), Qt::Key_Return);
        QCOMPARE(f.document.Table().PeakCount(), 0);
        // Also on a button inside the group box.
        f.Type(IDC_X_MAX, "1000");
        f.Button(IDC_PLOT)->setFocus();
        QTest::keyClick(f.Button(IDC_PLOT), Qt::Key_Return);
        QCOMPARE(f.document.Table().PeakCount(), 0);
        QVERIFY(f.view->fields.graphShown);
    }

    // The form's group box is the dialogs' one: it holds the controls inside
    // its rectangle, and its frame line runs through the middle of its caption.
    void graphGroupBoxLooksLikeTheDialogs() {
        Form f;
        COutputFormatDlg dialog(f.fakes);
        QWidget* inside[] = {f.Button(IDC_PLOT), f.Edit(IDC_X_MIN), f.view->progressBar,
                             dialog.Radio(COutputFormatDlg::kDecimalPointId)};
        for (QWidget* control : inside) {
            auto* group = qobject_cast<QGroupBox*>(control->parentWidget());
            QVERIFY2(group != nullptr, qPrintable(control->objectName()));
            const QImage image = group->grab().toImage();
            const QColor frame = group->palette().color(QPalette::Mid);
            QCOMPARE(image.pixel(3, group->fontMetrics().height() / 2), frame.rgb());
        }
    }

    void newestPeakOnTopWithNineDigits() {
        Form f;
        f.AddPeak("0.1", "1", "1");
        f.AddPeak("0.333333333333333", "1", "1");
        f.AddPeak("-2.5e-7", "1", "1");
        QCOMPARE(f.Column(0), (QStringList{"-2.5e-07", "0.333333333", "0.1"}));
    }

    void uniqueWidthSwitch() {
        Form f;
        f.Click(IDC_UNIQUE_WIDTH_ON);
        QVERIFY(f.Edit(IDC_UNIQUE_WIDTH)->isEnabled());
        QVERIFY(f.Button(IDC_ASSIGN_WIDTH)->isEnabled());
        QVERIFY(!f.Edit(IDC_WIDTH)->isEnabled());
        f.Type(IDC_UNIQUE_WIDTH, "7");
        f.Type(IDC_POSITION, "100");
        QTest::keyClick(f.Edit(IDC_POSITION), Qt::Key_Return);
        QCOMPARE(f.Row(0)[4], QStringLiteral("7"));

        f.Click(IDC_UNIQUE_WIDTH_ON);
        QVERIFY(!f.Edit(IDC_UNIQUE_WIDTH)->isEnabled());
        QVERIFY(!f.Button(IDC_ASSIGN_WIDTH)->isEnabled());
        QVERIFY(f.Edit(IDC_WIDTH)->isEnabled());
        QTest::keyClick(f.Edit(IDC_POSITION), Qt::Key_Return);
        QCOMPARE(f.Row(0)[4], QStringLiteral("0"));
    }

    void fullTableTakesNoMorePeaks() {
        Form f;
        for (int i = 0; i < 98; ++i) {
            f.document.AddPeak(i, 1, 1, 1);
        }
        f.view->FillPeakList();
        RecordingMessageBox& box = f.fakes.NewMessages();
        f.AddPeak("1000", "1", "1");
        QCOMPARE(f.view->peakList->topLevelItemCount(), 99);
        f.Click(IDC_ADD_PEAK);
        QCOMPARE(f.view->peakList->topLevelItemCount(), 99);
        QCOMPARE(f.Row(0)[0], QStringLiteral("1000"));
        QVERIFY(box.shown.empty());
    }

    // A bad text stops the read with the focus on it. "Introducir" then adds
    // nothing; the other handlers go on with what was read before it.
    void badNumberStopsTheRead_data() {
        QTest::addColumn<int>("badField");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("widthAfter");
        QTest::newRow("add, bad position") << IDC_POSITION << IDC_ADD_PEAK << "5";
        QTest::newRow("add, bad y max") << IDC_Y_MAX << IDC_ADD_PEAK << "5";
        // The unique width (typed 9) lies after the position: the width
        // assigned is the one read last, when the box was checked.
        QTest::newRow("assign, bad position") << IDC_POSITION << IDC_ASSIGN_WIDTH << "0";
        // ... but before y max: read, and assigned.
        QTest::newRow("assign, bad y max") << IDC_Y_MAX << IDC_ASSIGN_WIDTH << "9";
        QTest::newRow("scale, bad x min") << IDC_X_MIN << IDC_SCALE_SELECTION << "5";
    }
    void badNumberStopsTheRead() {
        QFETCH(int, badField);
        QFETCH(int, button);
        QFETCH(QString, widthAfter);
        Form f;
        f.AddPeak("500", "2", "5");
        f.Click(IDC_UNIQUE_WIDTH_ON);
        f.Type(IDC_UNIQUE_WIDTH, "9");
        // The scale comes after every edit, so it is never read here.
        f.Type(IDC_SCALE, "4");
        f.Type(badField, "1,5");
        RecordingMessageBox& box = f.fakes.NewMessages();
        f.Click(button);
        QCOMPARE(box.Texts(), QStringList{kNotANumberMessage});
        QCOMPARE(QApplication::focusWidget(), f.Edit(badField));
        QCOMPARE(f.Edit(badField)->selectedText(), QStringLiteral("1,5"));
        QCOMPARE(f.document.Table().PeakCount(), 1);
        QCOMPARE(f.Row(0)[4], widthAfter);
        QCOMPARE(f.Row(0)[1], QStringLiteral("1"));
    }

    void everyFieldTakesDecimalAndExponentNotation_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        const std::pair<const char*, double> texts[] = {
            {"500", 500.0}, {" 2.5e3 ", 2500.0}, {"-1.5E-3", -0.0015}, {"+.5", 0.5},
            {"\t7\t", 7.0}, {"1e308", 1e308},    {"-4e-320", -4e-320}, {"0.1", 0.1},
        };
        for (int f = 0; f < kNumericFieldCount; ++f) {
            for (const auto& [text, value] : texts) {
                QTest::newRow(qPrintable(QStringLiteral("%1 «%2»").arg(
                    QString::fromUtf8(kNumericFields[f].name), QString::fromUtf8(text))))
                    << f << QString::fromUtf8(text) << value;
            }
        }
    }
    void everyFieldTakesDecimalAndExponentNotation() {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(double, value);
        Form f;
        RecordingMessageBox& box = f.fakes.NewMessages();
        f.Edit(kNumericFields[field].id)->setText(text);
        f.Click(IDC_PLOT);
        QVERIFY2(box.shown.empty(), qPrintable(box.Texts().join('\n')));
        const double read = kNumericFields[field].field(f.view->fields);
        QVERIFY2(read == value, qPrintable(QString::fromStdString(FormatEditDouble(read))));
    }

    // What is not a finite number written with a decimal point is refused
    // with the same message wherever it stands, and the read stops there:
    // the fields before it take their new values, it and those after it keep
    // their old ones, and no peak is added.
    void everyFieldRefusesWhatIsNotANumber_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        const char* const texts[] = {"",     "   ",   "abc",    "1,5",  "nan",   "inf",
                                     "-inf", "1e400", "-1e999", "0x1A", "1.5.2", "5 kg"};
        for (int f = 0; f < kNumericFieldCount; ++f) {
            for (const char* text : texts) {
                QTest::newRow(qPrintable(QStringLiteral("%1 «%2»").arg(
                    QString::fromUtf8(kNumericFields[f].name), QString::fromUtf8(text))))
                    << f << QString::fromUtf8(text);
            }
        }
    }
    void everyFieldRefusesWhatIsNotANumber() {
        QFETCH(int, field);
        QFETCH(QString, text);
        Form f;
        // The unique width takes typing only while its box is checked.
        if (kNumericFields[field].id == IDC_UNIQUE_WIDTH) {
            f.Click(IDC_UNIQUE_WIDTH_ON);
        }
        double before[kNumericFieldCount];
        for (int i = 0; i < kNumericFieldCount; ++i) {
            before[i] = kNumericFields[i].field(f.view->fields);
            f.Edit(kNumericFields[i].id)->setText(QString::number(11 + i));
        }
        QLineEdit* bad = f.Edit(kNumericFields[field].id);
        bad->setText(text);
        RecordingMessageBox& box = f.fakes.NewMessages();
        f.Click(IDC_ADD_PEAK);
        QCOMPARE(box.Texts(), QStringList{kNotANumberMessage});
        QCOMPARE(QApplication::focusWidget(), bad);
        QCOMPARE(bad->selectedText(), text);
        for (int i = 0; i < kNumericFieldCount; ++i) {
            const double expected = i < field ? 11.0 + i : before[i];
            QCOMPARE(kNumericFields[i].field(f.view->fields), expected);
        }
        QCOMPARE(f.document.Table().PeakCount(), 0);
        QVERIFY(!f.document.IsModified());
    }

    // Switching a field off with a bad text in it would leave every later
    // read failing on a field that cannot take the focus.
    void switchedOffFieldKeepsNoBadText() {
        Form f;
        f.Click(IDC_UNIQUE_WIDTH_ON);
        f.Type(IDC_UNIQUE_WIDTH, "7");
        QTest::keyClick(f.Edit(IDC_UNIQUE_WIDTH), Qt::Key_Return);
        f.Type(IDC_UNIQUE_WIDTH, "abc");
        RecordingMessageBox& box = f.fakes.NewMessages();
        f.Click(IDC_UNIQUE_WIDTH_ON);
        QCOMPARE(box.Texts(), QStringList{kNotANumberMessage});
        QVERIFY(!f.Edit(IDC_UNIQUE_WIDTH)->isEnabled());
        QCOMPARE(f.Edit(IDC_UNIQUE_WIDTH)->text(), QStringLiteral("7"));
        f.AddPeak("500", "2", "10");
        QCOMPARE(box.shown.size(), std::size_t{1});
        QCOMPARE(f.Row(0)[4], QStringLiteral("10"));
    }

    // A bad text before the box stops the read before the box is read: the
    // fields enabled must still be those the box shows, since the next read
    // takes the box as shown.
    void uniqueWidthFollowsTheBoxAfterABadRead() {
        Form f;
        f.Click(IDC_UNIQUE_WIDTH_ON);
        f.Type(IDC_UNIQUE_WIDTH, "9");
        f.Click(IDC_UNIQUE_WIDTH_ON);
        f.Type(IDC_WIDTH, "abc");
        RecordingMessageBox& box = f.fakes.NewMessages();
        f.Click(IDC_UNIQUE_WIDTH_ON);
        QCOMPARE(box.Texts(), QStringList{kNotANumberMessage});
        QVERIFY(f.Edit(IDC_UNIQUE_WIDTH)->isEnabled());
        QVERIFY(f.Button(IDC_ASSIGN_WIDTH)->isEnabled());
        QVERIFY(!f.Edit(IDC_WIDTH)->isEnabled());
        f.Type(IDC_POSITION, "500");
        QTest::keyClick(f.Edit(IDC_POSITION), Qt::Key_Return);
        QCOMPARE(f.Row(0)[4], f.Edit(IDC_UNIQUE_WIDTH)->text());
    }

    void deleteSelection() {
        Form f;
        for (const char* p : {"1", "2", "3", "4"}) {
            f.AddPeak(p, "1", "1");
        }
        f.SelectRows({0, 2});
        f.Click(IDC_DELETE_SELECTION);
        QCOMPARE(f.Column(0), (QStringList{"3", "1"}));

        // Nothing selected: no peak goes, but the table counts as modified.
        f.document.SetModifiedFlag(false);
        f.Click(IDC_DELETE_SELECTION);
        QCOMPARE(f.Column(0), (QStringList{"3", "1"}));
        QVERIFY(f.document.IsModified());
    }

    void assignWidthAndScale_data() {
        QTest::addColumn<bool>("selectTwo");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("width, all") << false << IDC_ASSIGN_WIDTH << 4 << QStringList{"7", "7", "7"};
        QTest::newRow("width, two") << true << IDC_ASSIGN_WIDTH << 4 << QStringList{"7", "1", "7"};
        QTest::newRow("scale, all")
            << false << IDC_SCALE_SELECTION << 2 << QStringList{"1000", "800", "600"};
        QTest::newRow("scale, two")
            << true << IDC_SCALE_SELECTION << 2 << QStringList{"1000", "400", "600"};
    }
    void assignWidthAndScale() {
        QFETCH(bool, selectTwo);
        QFETCH(int, button);
        QFETCH(int, column);
        QFETCH(QStringList, expected);
        Form f;
        for (const char* p : {"300", "400", "500"}) {
            f.AddPeak(p, "1", "1");
        }
        f.Click(IDC_UNIQUE_WIDTH_ON);
        f.Type(IDC_UNIQUE_WIDTH, "7");
        f.Type(IDC_SCALE, "2");
        if (selectTwo) {
            f.SelectRows({0, 2});
        }
        f.Click(button);
        QCOMPARE(f.Column(column), expected);
        if (column == 2) {
            QCOMPARE(f.Row(0)[1], QStringLiteral("2"));
        }
        QVERIFY(f.view->peakList->selectedItems().isEmpty());
    }

    void showCurvesTogglesTheSelectedRows() {
        Form f;
        f.AddPeak("1", "1", "1");
        f.AddPeak("2", "1", "1");
        f.SelectRows({1});
        f.Click(IDC_SHOW_CURVES);
        QCOMPARE(f.Column(5), (QStringList{"n", "s"}));
        f.SelectRows({0, 1});
        f.Click(IDC_SHOW_CURVES);
        QCOMPARE(f.Column(5), (QStringList{"s", "n"}));
        // No selection: no flag changes.
        f.Click(IDC_SHOW_CURVES);
        QCOMPARE(f.Column(5), (QStringList{"s", "n"}));
    }

    void plotNeedsAGoodReadAndAnXRange() {
        Form f;
        // The drawing options draw nothing before the graph is asked for.
        f.Click(IDC_JOIN_POINTS);
        f.Click(IDC_LORENTZIAN);
        QVERIFY(!f.view->fields.graphShown);
        QCOMPARE(f.view->fields.curve.lineShape, 1);
        QCOMPARE(f.view->fields.curve.joinPoints, true);

        f.Click(IDC_PLOT);  // x max equals x min
        QVERIFY(!f.view->fields.graphShown);
        f.Type(IDC_X_MAX, "1000");
        f.Type(IDC_POSITION, "x");
        {
            RecordingMessageBox& box = f.fakes.NewMessages();
            f.Click(IDC_PLOT);
            QCOMPARE(box.shown.size(), std::size_t{1});
        }
        QVERIFY(!f.view->fields.graphShown);
        f.Type(IDC_POSITION, "0");
        f.Click(IDC_PLOT);
        QVERIFY(f.view->fields.graphShown);
        QCOMPARE(f.view->fields.curve.xMax, 1000.0);

        // "Ver curvas" reads twice, so a bad field is reported twice.
        f.Type(IDC_Y_MIN, "");
        RecordingMessageBox& box = f.fakes.NewMessages();
        f.Click(IDC_SHOW_CURVES);
        QCOMPARE(box.shown.size(), std::size_t{2});
        QVERIFY(f.view->fields.graphShown);
    }

    void clearAllKeepsTheModifiedFlag() {
        Form f;
        f.AddPeak("1", "1", "1");
        f.document.SetModifiedFlag(false);
        f.Click(IDC_CLEAR_ALL);
        QCOMPARE(f.view->peakList->topLevelItemCount(), 0);
        QCOMPARE(f.document.Table().PeakCount(), 0);
        QVERIFY(!f.document.IsModified());
    }

    void initialUpdateResetsTheSettingsOnly() {
        Form f;
        f.AddPeak("500", "2", "10");
        f.Type(IDC_X_MIN, "-5");
        f.Type(IDC_Y_MAX, "3");
        f.Type(IDC_SCALE, "2");
        f.Click(IDC_UNIQUE_WIDTH_ON);
        f.Click(IDC_LORENTZIAN);
        f.Click(IDC_USE_SCALED);
        f.Type(IDC_X_MAX, "1");
        f.Click(IDC_PLOT);
        f.view->fields.outputPath = "otro.txt";
        f.view->fields.decimalComma = false;
        f.view->fields.resolution = 7;
        f.view->SetDlgItemText(IDC_LABEL_X_MIN, "-5");

        f.document.OnNewDocument();
        f.view->OnInitialUpdate();
        f.view->OnInitialUpdate();
        QCOMPARE(f.view->peakList->columnCount(), 6);
        QCOMPARE(f.view->peakList->topLevelItemCount(), 0);
        QCOMPARE(f.view->fields.outputPath, std::string("datos.txt"));
        QCOMPARE(f.view->fields.decimalComma, true);
        QCOMPARE(f.view->fields.resolution, 250);
        QVERIFY(!f.view->fields.graphShown);
        QVERIFY(f.Button(IDC_GAUSSIAN)->isChecked());
        QVERIFY(!f.Button(IDC_USE_SCALED)->isChecked());
        QCOMPARE(f.Edit(IDC_SCALE)->text(), QStringLiteral("1"));
        QVERIFY(f.view->GetDlgItemText(IDC_LABEL_X_MIN).isEmpty());
        // The entries, the limits and the unique-width state carry over.
        QCOMPARE(f.Edit(IDC_POSITION)->text(), QStringLiteral("500"));
        QCOMPARE(f.Edit(IDC_X_MIN)->text(), QStringLiteral("-5"));
        QCOMPARE(f.Edit(IDC_Y_MAX)->text(), QStringLiteral("3"));
        QVERIFY(f.Button(IDC_UNIQUE_WIDTH_ON)->isChecked());
        QVERIFY(!f.Edit(IDC_WIDTH)->isEnabled());
    }

    void tabOrderFollowsTheTemplate() {
        Form f;
        f.Edit(IDC_POSITION)->setFocus();
        const int expected[] = {IDC_INTENSITY,       IDC_WIDTH,          IDC_ADD_PEAK,
                                IDC_SCALE,           IDC_X_MIN,          IDC_Y_MIN,
                                IDC_X_MAX,           IDC_Y_MAX,          IDC_JOIN_POINTS,
                                IDC_USE_SCALED,      IDC_PLOT,           IDC_EXPORT,
                                IDC_UNIQUE_WIDTH_ON, IDC_CLEAR_ALL,      IDC_DELETE_SELECTION,
                                IDC_SHOW_CURVES,     IDC_EDIT_SELECTION, IDC_SCALE_SELECTION,
                                IDC_PEAK_LIST,       IDC_POSITION};
        for (const int id : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), f.view->GetDlgItem(id));
        }
    }

    void everyTextFitsItsRectangle() {
        Form f;
        int measured = 0;
        for (QWidget* child : f.view->findChildren<QWidget*>()) {
            QString text;
            int room = child->width();
            if (auto* label = qobject_cast<QLabel*>(child)) {
                text = label->text();
            } else if (auto* group = qobject_cast<QGroupBox*>(child)) {
                text = group->title();
                room -= 2 * group->fontMetrics().averageCharWidth();
            } else if (auto* button = qobject_cast<QAbstractButton*>(child)) {
                text = button->text();
                QStyleOptionButton option;
                option.initFrom(button);
                if (qobject_cast<QCheckBox*>(button) != nullptr) {
                    room -= button->style()->pixelMetric(QStyle::PM_IndicatorWidth, &option) +
                            button->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option);
                } else if (qobject_cast<QRadioButton*>(button) != nullptr) {
                    room -=
                        button->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &option) +
                        button->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &option);
                }
            }
            if (text.isEmpty()) {
                continue;
            }
            text.remove(QLatin1Char('&'));
            const int needed = child->fontMetrics().horizontalAdvance(text);
            QVERIFY2(
                needed <= room,
                qPrintable(QStringLiteral("%1: %2 px in %3 px").arg(text).arg(needed).arg(room)));
            QVERIFY2(child->fontMetrics().height() <= child->height(), qPrintable(text));
            ++measured;
        }
        QCOMPARE(measured, 23);
    }
};

QTEST_MAIN(TrazelViewTest)
#include "trazel_view_test.moc"
