#include "db/sDB_message.h"

#include "framework/windows/TApplication.h"

namespace vexo {

void sDB_message(const std::string& text, const std::string& caption) {
    Application->MessageBox(text, caption, 0);
}

void sDB_messageNoConnection() {
    sDB_message("No se ha asignado conexión\nTodo va a fallar", "OJO");
}

} // namespace vexo
