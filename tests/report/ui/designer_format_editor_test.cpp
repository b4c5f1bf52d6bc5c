#include "report/ui/designer_format_editor.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTest>

#include "report/core/value/format_settings.h"

namespace report {
namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "designer_format_editor_test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: font caches of other statics outlive it otherwise.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

const DisplayFormat kText{MakeFormatCode(format_category::kText, 0, 2, ','), ""};

TEST(DesignerFormatEditor, EachKindChosenShowsTheSampleAndGivesItsCode) {
    App();
    const ScopedFormats french(FormatSettings::French());
    const struct {
        int category, variant, decimals;
        QString separator, sample;
    } cases[] = {
        {format_category::kText, 0, 2, QStringLiteral(","), QStringLiteral("Tombage")},
        {format_category::kNumber, 1, 2, QStringLiteral(","), QStringLiteral("1234,50")},
        {format_category::kNumber, 1, 0, QStringLiteral("."), QStringLiteral("1235")},
        {format_category::kNumber, 3, 3, QStringLiteral("."),
         QStringLiteral("1") + QChar(0xA0) + QStringLiteral("234.500")},
        {format_category::kDate, 3, 2, QStringLiteral(","),
         QStringLiteral("vendredi 11 décembre 2026")},
        {format_category::kTime, 2, 2, QStringLiteral(","), QStringLiteral("14:30")},
        {format_category::kBoolean, 1, 2, QStringLiteral(","), QStringLiteral("Oui / Non")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.category) + "/" + std::to_string(c.variant));
        DesignerFormatEditor editor(kText);
        editor.Categories()->setCurrentRow(c.category);
        editor.Decimals()->setValue(c.decimals);
        editor.Separator()->setCurrentText(c.separator);
        editor.Kinds()->setCurrentRow(c.variant);
        EXPECT_EQ(editor.Sample(), c.sample);
        // The kind's own line in the list shows the same sample.
        EXPECT_EQ(editor.Kinds()->currentItem()->text(), c.sample);
        const DisplayFormat chosen = editor.Format();
        EXPECT_EQ(FormatCategory(chosen.code), c.category);
        EXPECT_EQ(FormatVariant(chosen.code), c.variant);
        if (c.category == format_category::kNumber) {
            EXPECT_EQ(FormatDecimals(chosen.code), c.decimals);
            EXPECT_EQ(QString(QLatin1Char(FormatSeparator(chosen.code))), c.separator);
        }
    }
}

TEST(DesignerFormatEditor, ATypedPatternChoosesThePatternKindAndShowsLive) {
    App();
    const ScopedFormats french(FormatSettings::French());
    const struct {
        int category;
        QString pattern, sample;
    } cases[] = {
        {format_category::kDate, QStringLiteral("yyyy-mm-dd"), QStringLiteral("2026-12-11")},
        {format_category::kTime, QStringLiteral("hh'h'nn"), QStringLiteral("14h30")},
        {format_category::kNumber, QStringLiteral("0000.000"), QStringLiteral("1234,500")},
        {format_category::kBoolean, QStringLiteral("Non;Oui"), QStringLiteral("Non / Oui")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern.toStdString());
        DesignerFormatEditor editor(kText);
        editor.show();
        editor.Categories()->setCurrentRow(c.category);
        editor.Pattern()->setFocus();
        QTest::keyClicks(editor.Pattern(), c.pattern);
        EXPECT_EQ(editor.Kinds()->currentRow(), kPatternVariant);
        EXPECT_EQ(editor.Sample(), c.sample);
        EXPECT_EQ(editor.Kinds()->currentItem()->text(), QStringLiteral("Modèle : ") + c.sample);
        EXPECT_EQ(editor.Format().pattern, c.pattern.toStdString());
        EXPECT_EQ(FormatVariant(editor.Format().code), kPatternVariant);
    }
}

TEST(DesignerFormatEditor, OpensOnTheObjectsFormat) {
    App();
    const ScopedFormats french(FormatSettings::French());
    const DisplayFormat format{MakeFormatCode(format_category::kNumber, 3, 1, '.'), "#0"};
    DesignerFormatEditor editor(format);
    EXPECT_EQ(editor.Categories()->currentRow(), format_category::kNumber);
    EXPECT_EQ(editor.Kinds()->currentRow(), 3);
    EXPECT_EQ(editor.Decimals()->value(), 1);
    EXPECT_EQ(editor.Separator()->currentText(), QStringLiteral("."));
    EXPECT_EQ(editor.Pattern()->text(), QStringLiteral("#0"));
    EXPECT_EQ(editor.Format().code, format.code);
    EXPECT_EQ(editor.Format().pattern, format.pattern);
}

}  // namespace
}  // namespace report
