// The sample application: one form with the grid, run in the framework's message loop.
//
//     vexo_sample                     shows the form until it is closed
//     vexo_sample --screenshot FILE   writes a PNG of the form and prints its path; without a
//                                     platform chosen it needs no display
#include "app/ExampleMain.h"
#include "app/Form1.h"
#include "framework/windows/TApplication.h"

using namespace vexo;

int main(int argc, char** argv) {
    return RunExample(argc, argv, {"vexo_sample", "The grid sample: five columns, six rows.", [] {
                                       TForm1* form = nullptr;
                                       Application->CreateForm(form);
                                       return static_cast<TForm*>(form);
                                   }});
}
