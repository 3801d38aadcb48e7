#pragma once
// The data layer's type codes for result columns, their names, and the mapping from the MySQL
// column types. DECIMAL columns carry the integer code, as callers expect; their getters still
// read every digit.
#include <cstdint>
#include <string>

namespace vexo {

enum sDB_type : std::int16_t {
    sDB_type_string = 100,
    sDB_type_integer = 200,
    sDB_type_floating = 300,
    sDB_type_date = 400,
    sDB_type_time = 410,
    sDB_type_date_time = 420,
    sDB_type_blob = 500,
    sDB_type_bool = 600,
    sDB_type_unknow = 700,
};

// "sDB_type_string" ... for a code of the table, "*desconocido*" for any other.
std::string sDB_typeName(int code);
// The code of a MySQL column type; sDB_type_unknow for a type the mapping does not list.
sDB_type sDB_typeOfMysql(int mysqlType);
// DECIMAL, old or new: exact numbers that arrive as text with every digit.
bool sDB_isDecimal(int mysqlType);
// "MYSQL_TYPE_TINY" ... for a type of the mapping, "*desconocido*" for any other.
std::string sDB_mysqlTypeName(int mysqlType);

} // namespace vexo
