// The workspace window's Run, and filling the result's fields in from the value tree.

#include "WorkspaceWindow.h"

#include "BusyCursor.h"
#include "CatalogueList.h"
#include "Dialogs.h"
#include "FieldSubstitution.h"
#include "FillRowsCommand.h"
#include "FieldsList.h"
#include "LargeBuffers.h"
#include "ResultView.h"
#include "RunCommand.h"
#include "TemplatePaneText.h"
#include "TemplatePreview.h"
#include "ValueTreeRules.h"

#include <QCheckBox>
#include <QDir>
#include <QTextCursor>
#include <QTextEdit>

void WorkspaceWindow::runTemplate()
{
    const QString templateText = TemplatePaneText(*templatePane_->document());
    // Cancel here stops the Run before anything changes.
    std::optional<BoundAnswers> answers =
        AskBounds(this, templateTree_->selectedKey(), templateText, preview_->shownAnswers());
    if (answers)
        runWithAnswers(templateText, std::move(*answers));
}

bool WorkspaceWindow::runWithAnswers(const QString& templateText, BoundAnswers answers)
{
    BusyCursor busy;
    ExpansionRequest request;
    request.compactStyle = compactStyle_->isChecked();
    request.answers = std::move(answers);
    // Every name is answered above; a bound that still cannot be used is named, not hidden.
    request.strict = true;
    request.progress = Dialogs::current().runProgress(this);
    ExpansionResult expansion = GenerateResult(templateText, request);
    if (expansion.outcome == ExpansionResult::Outcome::Cancelled)
        return false;
    {
        ResultBusy writing(*this);
        ShowExpansion(this, *resultPane_, templateText, expansion);
    }
    const bool parseFailed = expansion.outcome == ExpansionResult::Outcome::ParseFailed;
    if (!parseFailed) {
        selectBodyTab(kResultPaneTab);
        selectListTab(kValueListTab);
    }
    saveTemplate();
    // The fields come from the pane as it now stands, also when the expansion was refused.
    FillFieldsList(*fieldsList_, resultPane_->resultDocument()->text(), resultPane_->resultDocument()->modifiers());
    ReleaseFreedBuffersWhenIdle();
    if (parseFailed) {
        // The template pane stays in front, the caret where the template goes wrong.
        selectBodyTab(kTemplatePaneTab);
        QTextCursor caret = templatePane_->textCursor();
        const qsizetype last = templatePane_->document()->characterCount() - 1;
        caret.setPosition(int(std::clamp<qsizetype>(expansion.errorOffset, 0, last)));
        templatePane_->setTextCursor(caret);
        templatePane_->setFocus(Qt::OtherFocusReason);
    }
    return !parseFailed;
}

void WorkspaceWindow::useTypeMap()
{
    TypeMapInUse inUse = LoadTypeMap(QDir(dataFolder_).filePath(QStringLiteral("TypeMaps.tsv")));
    resultPane_->resultDocument()->setModifiers(FieldModifiers(std::move(inUse.map)));
    if (!inUse.problem.isEmpty())
        typeMapProblem_ = QStringLiteral("The shipped type map is used: ") + inUse.problem;
}

void WorkspaceWindow::fillRows()
{
    QStringList children;
    if (const QTreeWidgetItem* value = valueTree_->node(valueTree_->selectedKey())) {
        for (int i = 0; i < value->childCount(); ++i)
            children << value->child(i)->text(0);
    }
    FillRowsTarget target;
    target.parent = this;
    target.templateText = TemplatePaneText(*templatePane_->document());
    target.result = resultPane_->resultDocument();
    target.fields = fieldsList_;
    target.valueChildren = children;
    target.runAgain = [this](const QString& boundName, qsizetype count) {
        BoundAnswers answers;
        answers.Set(boundName, QString::number(count));
        return runWithAnswers(TemplatePaneText(*templatePane_->document()), std::move(answers));
    };
    FillRowsCommand(target);
}

void WorkspaceWindow::paneReplaced(TextPane pane)
{
    if (pane.widget() == resultPane_)
        FillFieldsList(*fieldsList_, resultPane_->resultDocument()->text(), resultPane_->resultDocument()->modifiers());
}

void WorkspaceWindow::valueDoubleClicked()
{
    const QTreeWidgetItem* value = valueTree_->node(valueTree_->selectedKey());
    if (value && value->childCount() == 0)
        FillSelectedField(*resultPane_->resultDocument(), *fieldsList_, value->text(0));
}

void WorkspaceWindow::valueTreeKeyPressed(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space)
        return;
    if (const QTreeWidgetItem* value = valueTree_->node(valueTree_->selectedKey()))
        FillSelectedField(*resultPane_->resultDocument(), *fieldsList_, value->text(0));
}

void WorkspaceWindow::valueSelected()
{
    if (const QTreeWidgetItem* value = valueTree_->node(valueTree_->selectedKey()))
        valueTree_->setToolTip(ValueSummary(value->text(0), value->childCount()));
    if (valueTree_->hasFocus())
        emit statusHint(valueTreeHint());
}

void WorkspaceWindow::addDroppedValues(const QString& text)
{
    const QString separator = Dialogs::current()
                                  .input(this, QStringLiteral("Please provide the split character"),
                                         QStringLiteral("Splitter Value"), QStringLiteral(","))
                                  .value_or(QString());
    const QStringList pieces = SplitDropped(text, separator);
    qsizetype added = 0;
    {
        BusyCursor busy;
        added = values_->addMany(pieces);
    }
    valueSelected(); // the selected value has new children
    if (added < pieces.size())
        Dialogs::current().message(
            this,
            QStringLiteral("%1 of the %2 dropped values were added. The value \"%3\" could not be stored, so it "
                           "and the %4 after it were left out.")
                .arg(added)
                .arg(pieces.size())
                .arg(pieces[added])
                .arg(pieces.size() - added - 1),
            Dialogs::Icon::Warning);
}

void WorkspaceWindow::fieldsListKeyPressed(int key)
{
    if (key == Qt::Key_Insert)
        FillSelectedFieldWithName(*resultPane_->resultDocument(), *fieldsList_);
    else if (key == Qt::Key_Delete)
        fieldsList_->dropSelected();
}

void WorkspaceWindow::fillFollowing()
{
    QTreeWidgetItem* value = valueTree_->node(valueTree_->selectedKey());
    if (!value)
        return;
    QStringList values;
    if (QTreeWidgetItem* parent = value->parent()) {
        for (int i = parent->indexOfChild(value); i < parent->childCount(); ++i)
            values << parent->child(i)->text(0);
    } else {
        values << value->text(0);
    }
    FillFollowingFields(*resultPane_->resultDocument(), *fieldsList_, values);
}
