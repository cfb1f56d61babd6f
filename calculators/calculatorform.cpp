// SPDX-License-Identifier: MIT
#include "calculators/calculatorform.h"

#include "shell/project.h"

#include <QLineEdit>

namespace calculators {

CalculatorForm::CalculatorForm(shell::Project& project, const shell::ScreenDecl& decl, std::vector<const char*> fields)
    : shell::Form(project, decl)
    , fields_(std::move(fields))
{
}

void CalculatorForm::calculate(const Arithmetic& arithmetic)
{
    std::vector<std::string> texts;
    for (const char* field : fields_)
        texts.push_back(control<QLineEdit>(field)->text().toStdString());
    const Display display{project().decimalSeparator(), project().displayDecimals()};
    const std::string line = arithmetic(texts, display);
    setCaption(declaration().resultLabel, QString::fromStdString(line));
}

void CalculatorForm::recover(const runtime::Error& error)
{
    shell::Form::recover(error);
    if (const auto* failed = dynamic_cast<const FieldError*>(&error)) {
        if (auto* field = control<QLineEdit>(fields_.at(failed->field))) {
            field->setFocus(Qt::OtherFocusReason);
            field->selectAll();
        }
    }
}

} // namespace calculators
