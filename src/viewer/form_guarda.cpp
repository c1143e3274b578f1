#include "form_guarda.h"

form_guarda::form_guarda(QWidget *owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("form_guarda"));
    setWindowTitle(QString());
    setAccessibleName(QStringLiteral("Visualizza schedina"));
}
