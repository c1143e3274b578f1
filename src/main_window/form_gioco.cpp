#include "form_gioco.h"

Form_gioco::Form_gioco(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form_gioco"));
    setWindowTitle(QStringLiteral("IL NUOVO LOTTO"));
}
