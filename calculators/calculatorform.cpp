// SPDX-License-Identifier: MIT
#include "calculators/calculatorform.h"

#include "shell/project.h"

#include <QLineEdit>

namespace calculators {

CalculatorForm::CalculatorForm(shell::Project& project, const shell::ScreenDecl& decl, std::vector<const char*> fields,
                               Arithmetic arithmetic)
    : shell::Form(project, decl)
    , fields_(std::move(fields))
    , arithmetic_(std::move(arithmetic))
{
}

void CalculatorForm::wire()
{
    onClick("cmdCalculate", &CalculatorForm::cmdCalculate_Click);
    onClick("cmdDone", &CalculatorForm::cmdDone_Click);
}

void CalculatorForm::cmdCalculate_Click()
{
    std::vector<std::string> texts;
    for (const char* field : fields_)
        texts.push_back(control<QLineEdit>(field)->text().toStdString());
    const Display display{shell::Project::decimalSeparator(), project().displayDecimals()};
    const std::string line = arithmetic_(texts, display);
    setCaption(declaration().resultLabel, QString::fromStdString(line));
}

void CalculatorForm::cmdDone_Click()
{
    project().form(name()).unload();
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
