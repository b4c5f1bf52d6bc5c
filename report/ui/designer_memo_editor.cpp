#include "report/ui/designer_memo_editor.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QSyntaxHighlighter>
#include <QTabWidget>
#include <QTextBlock>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "report/core/designer/expression_check.h"
#include "report/core/language/expression_scanner.h"
#include "report/qt/qt_text.h"
#include "report/ui/designer_dialog_frame.h"
#include "report/ui/designer_text_lines.h"

namespace report {
namespace {

constexpr int kInsertRole = Qt::UserRole;
constexpr int kDescriptionRole = Qt::UserRole + 1;

// Colours the bracketed parts of each line, as printing finds them.
class BracketHighlighter : public QSyntaxHighlighter {
  public:
    using QSyntaxHighlighter::QSyntaxHighlighter;

  protected:
    void highlightBlock(const QString& text) override {
        QTextCharFormat format;
        format.setForeground(QColor(0x00, 0x40, 0xC0));
        format.setBackground(QColor(0xE8, 0xF0, 0xFF));
        const std::string line = FromQString(text);
        size_t i = 0;
        while (i < line.size()) {
            if (line[i] != '[') {
                ++i;
                continue;
            }
            const BracketedPart part = FindBracketedPart(line, i);
            const size_t end = part.end > i ? part.end : line.size();
            setFormat(static_cast<int>(i), static_cast<int>(end - i), format);
            i = end;
        }
    }
};

QTreeWidgetItem* AddGroup(QTreeWidget* tree, const QString& title,
                          const std::vector<std::string>& names) {
    auto* group = new QTreeWidgetItem(tree, {title});
    for (const std::string& name : names) {
        auto* item = new QTreeWidgetItem(group, {ToQString(name)});
        item->setData(0, kInsertRole, ToQString(name));
    }
    return group;
}

}  // namespace

DesignerMemoEditor::DesignerMemoEditor(const QString& objectName,
                                       const std::vector<std::string>& memo,
                                       const std::vector<std::string>& script,
                                       ExpressionCatalog catalog, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Texte de %1").arg(objectName));
    tabs_ = new QTabWidget(this);

    auto* textPage = new QWidget(tabs_);
    text_ = new QPlainTextEdit(textPage);
    new BracketHighlighter(text_->document());
    text_->setPlainText(JoinedLines(memo));
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* insertBox = new QWidget(textPage);
    expressions_ = new QTreeWidget(insertBox);
    expressions_->setHeaderLabel(QStringLiteral("Insérer une expression"));
    AddGroup(expressions_, QStringLiteral("Champs de données"), catalog.dataFields);
    AddGroup(expressions_, QStringLiteral("Variables du dictionnaire"),
             catalog.dictionaryVariables);
    AddGroup(expressions_, QStringLiteral("Variables standard"), catalog.standardVariables);
    auto* functions = new QTreeWidgetItem(expressions_, {QStringLiteral("Fonctions")});
    for (const FunctionDescription& function : catalog.functions) {
        auto* item = new QTreeWidgetItem(functions, {ToQString(function.name)});
        // The description starts with the signature, which is what gets inserted.
        const QString description = ToQString(function.description);
        const QString signature = description.section(QLatin1Char('/'), 0, 0);
        item->setData(0, kInsertRole, signature.isEmpty() ? ToQString(function.name) : signature);
        item->setData(0, kDescriptionRole, description.section(QLatin1Char('/'), 1));
        item->setToolTip(0, description);
    }
    description_ = new QLabel(insertBox);
    description_->setWordWrap(true);
    auto* insert = new QPushButton(QStringLiteral("&Insérer"), insertBox);
    auto* insertLayout = new QVBoxLayout(insertBox);
    insertLayout->setContentsMargins(0, 0, 0, 0);
    insertLayout->addWidget(expressions_, 1);
    insertLayout->addWidget(description_);
    insertLayout->addWidget(insert);
    connect(insert, &QPushButton::clicked, this, [this] { InsertChosenExpression(); });
    connect(expressions_, &QTreeWidget::itemDoubleClicked, this,
            [this] { InsertChosenExpression(); });
    connect(expressions_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        description_->setText(item != nullptr ? item->data(0, kDescriptionRole).toString()
                                              : QString());
    });

    auto* splitter = new QSplitter(textPage);
    splitter->addWidget(text_);
    splitter->addWidget(insertBox);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    auto* textLayout = new QVBoxLayout(textPage);
    textLayout->addWidget(splitter);
    tabs_->addTab(textPage, QStringLiteral("&Texte"));

    script_ = new QPlainTextEdit(tabs_);
    script_->setPlainText(JoinedLines(script));
    script_->setLineWrapMode(QPlainTextEdit::NoWrap);
    tabs_->addTab(script_, QStringLiteral("&Script"));

    refusal_ = FrameEditorDialog(*this, tabs_);
    resize(720, 420);
}

std::vector<std::string> DesignerMemoEditor::MemoLines() const {
    return SplitLines(text_->toPlainText());
}

std::vector<std::string> DesignerMemoEditor::ScriptLines() const {
    return SplitLines(script_->toPlainText());
}

QString DesignerMemoEditor::Refusal() const {
    return RefusalText(*refusal_);
}

void DesignerMemoEditor::InsertChosenExpression() {
    const QTreeWidgetItem* item = expressions_->currentItem();
    if (item == nullptr) return;
    const QString expression = item->data(0, kInsertRole).toString();
    if (expression.isEmpty()) return;
    tabs_->setCurrentIndex(0);
    text_->insertPlainText(QLatin1Char('[') + expression + QLatin1Char(']'));
    text_->setFocus();
}

void DesignerMemoEditor::accept() {
    if (const auto problem = CheckMemoExpressions(MemoLines())) {
        ShowRefusal(*refusal_, ToQString(problem->Message()));
        tabs_->setCurrentIndex(0);
        QTextCursor cursor = text_->textCursor();
        cursor.setPosition(static_cast<int>(problem->position));
        text_->setTextCursor(cursor);
        text_->setFocus();
        return;
    }
    const std::vector<std::string> errors = ScriptErrors(ScriptLines());
    if (!errors.empty()) {
        QStringList lines;
        for (const std::string& error : errors)
            lines << ToQString(error);
        ShowRefusal(*refusal_, lines.join(QLatin1Char('\n')));
        tabs_->setCurrentIndex(1);
        script_->setFocus();
        return;
    }
    ShowRefusal(*refusal_, QString());
    QDialog::accept();
}

}  // namespace report
