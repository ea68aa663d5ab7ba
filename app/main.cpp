#include <QApplication>

#include "window/application_setup.h"
#include "window/form1.h"
#include "window/qt_message_boxes.h"
#include "window/qt_window_printer.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    torvelin::SetUpApplication();

    torvelin::QtMessageBoxes messages;
    torvelin::QtWindowPrinter printer;
    torvelin::Form1 window(messages, printer);
    window.show();
    return QApplication::exec();
}
