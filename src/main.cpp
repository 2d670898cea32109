// pellora: the Harbor Lessons program.
#include <QApplication>

#include "app/quiz_app.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    return CQuizApp().Run();
}
