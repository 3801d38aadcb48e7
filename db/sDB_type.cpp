#include "db/sDB_type.h"

#include <string_view>

namespace vexo {

namespace {

constexpr std::string_view unknownName = "*desconocido*";

struct TypeName {
    int code;
    std::string_view name;
};

constexpr TypeName typeNames[] = {
    {sDB_type_string, "sDB_type_string"},     {sDB_type_integer, "sDB_type_integer"},
    {sDB_type_floating, "sDB_type_floating"}, {sDB_type_date, "sDB_type_date"},
    {sDB_type_time, "sDB_type_time"},         {sDB_type_date_time, "sDB_type_date_time"},
    {sDB_type_blob, "sDB_type_blob"},         {sDB_type_bool, "sDB_type_bool"},
    {sDB_type_unknow, "sDB_type_unknow"},
};

struct MysqlType {
    int mysqlType;
    std::string_view name;
    sDB_type code;
};

// Searched from the top; the numbers are the client library's enum_field_types.
constexpr MysqlType mysqlTypes[] = {
    {1, "MYSQL_TYPE_TINY", sDB_type_integer},         {0, "MYSQL_TYPE_DECIMAL", sDB_type_integer},
    {2, "MYSQL_TYPE_SHORT", sDB_type_integer},        {3, "MYSQL_TYPE_LONG", sDB_type_integer},
    {8, "MYSQL_TYPE_LONGLONG", sDB_type_integer},     {9, "MYSQL_TYPE_INT24", sDB_type_integer},
    {246, "MYSQL_TYPE_NEWDECIMAL", sDB_type_integer}, {4, "MYSQL_TYPE_FLOAT", sDB_type_floating},
    {5, "MYSQL_TYPE_DOUBLE", sDB_type_floating},      {6, "MYSQL_TYPE_NULL", sDB_type_unknow},
    {7, "MYSQL_TYPE_TIMESTAMP", sDB_type_date_time},  {10, "MYSQL_TYPE_DATE", sDB_type_date},
    {11, "MYSQL_TYPE_TIME", sDB_type_time},           {12, "MYSQL_TYPE_DATETIME", sDB_type_date_time},
    {13, "MYSQL_TYPE_YEAR", sDB_type_date},           {14, "MYSQL_TYPE_NEWDATE", sDB_type_date},
    {15, "MYSQL_TYPE_VARCHAR", sDB_type_string},      {253, "MYSQL_TYPE_VAR_STRING", sDB_type_string},
    {254, "MYSQL_TYPE_STRING", sDB_type_string},      {249, "MYSQL_TYPE_TINY_BLOB", sDB_type_blob},
    {250, "MYSQL_TYPE_MEDIUM_BLOB", sDB_type_blob},   {251, "MYSQL_TYPE_LONG_BLOB", sDB_type_blob},
    {252, "MYSQL_TYPE_BLOB", sDB_type_blob},          {16, "MYSQL_TYPE_BIT", sDB_type_bool},
    {247, "MYSQL_TYPE_ENUM", sDB_type_unknow},        {248, "MYSQL_TYPE_SET", sDB_type_unknow},
    {255, "MYSQL_TYPE_GEOMETRY", sDB_type_unknow},
};

const MysqlType* findMysqlType(int mysqlType) {
    for (const MysqlType& t : mysqlTypes)
        if (t.mysqlType == mysqlType) return &t;
    return nullptr;
}

} // namespace

std::string sDB_typeName(int code) {
    for (const TypeName& t : typeNames)
        if (t.code == code) return std::string(t.name);
    return std::string(unknownName);
}

sDB_type sDB_typeOfMysql(int mysqlType) {
    const MysqlType* t = findMysqlType(mysqlType);
    return t != nullptr ? t->code : sDB_type_unknow;
}

bool sDB_isDecimal(int mysqlType) {
    return mysqlType == 0 || mysqlType == 246;
}

std::string sDB_mysqlTypeName(int mysqlType) {
    const MysqlType* t = findMysqlType(mysqlType);
    return std::string(t != nullptr ? t->name : unknownName);
}

} // namespace vexo
