#include "app/AppState.h"
#include "ui/FormMain.h"
#include "ui/QtDialogs.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    vandrix::AppState state;
    vandrix::QtDialogs dialogs;
    vandrix::FormMain form(state, dialogs);
    dialogs.setParentWidget(&form);
    form.Form_Load();
    form.show();
    return QApplication::exec();
}
