#pragma once
// The description of one result column.
#include <cstdint>
#include <string>

namespace vexo {

struct sDB_FieldInfo {
    std::int32_t index = 0; // position in the result, from 0
    std::string name;       // as the result gives it: the alias, if any
    std::int16_t type = 0;  // its sDB_type code
    std::string table;      // the base table (never an alias); empty for a computed column
    std::int32_t mysqlType = 0;
    std::int32_t decimals = 0; // digits after the point: the scale of a DECIMAL
};

} // namespace vexo
