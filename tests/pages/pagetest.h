#pragma once

#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>
#include <map>
#include <memory>

#include "fixtures.h"
#include "model/jsonform.h"
#include "pages/entrykit.h"
#include "shell/shelltest.h"
#include "widgets/shelltext.h"
#include "widgets/thinkingframe.h"

namespace zorv::testing {

// A page of the declaration in a window of its own, the program's questions
// answered from a script: each modal window by the answer given for its
// object name (unanswered windows are cancelled).
struct PageBench {
    explicit PageBench(const char* fixture = nullptr) {
        ctx.Decl().SetIncomeFlags(kIncomeFromAgents);
        if (fixture) {
            auto d = std::make_unique<mTDeclaration>();
            DeclarationFromJson(ReadFixtureJson(fixture), *d);
            ctx.ReplaceDeclaration(std::move(d));
        }
        dialogs.run = [this](QDialog& dialog) {
            auto answer = answers.find(dialog.objectName());
            return answer != answers.end() && answer->second && answer->second(dialog);
        };
        window.resize(800, 500);
    }

    template <typename Page>
    Page& Open() {
        auto* page = new Page(ctx, &window);
        page->resize(window.size());
        window.show();
        return *page;
    }

    ScriptedDialogs dialogs;
    TShellContext ctx;
    QWidget window;
    QSignalSpy modified{&ctx, &TShellContext::modified};
    std::map<QString, std::function<bool(QDialog&)>> answers;
};

// Fills a dialog of type D with `fill` and presses "Да"; true when the dialog
// closed with "Да".
template <typename D>
std::function<bool(QDialog&)> Confirmed(std::function<void(D&)> fill) {
    return [fill](QDialog& dialog) {
        auto& d = dynamic_cast<D&>(dialog);
        d.setResult(QDialog::Rejected);
        d.show();
        if (fill) fill(d);
        d.bnOk->click();
        return d.result() == QDialog::Accepted;
    };
}

// Sends one key to a widget.
inline void Press(QWidget* widget, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

inline QStringList RowTexts(const QTreeWidget* list, int row) {
    QStringList texts;
    for (int column = 0; column < list->columnCount(); ++column)
        texts << list->topLevelItem(row)->text(column);
    return texts;
}

}  // namespace zorv::testing
