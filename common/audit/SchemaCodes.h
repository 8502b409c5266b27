#pragma once

// The numbers the schema rowsets report for a column's type: the programs' type names are read
// from them, and the providers write them.
namespace tallix {

// OLE DB type numbers (DBTYPE_*) that the schema rowsets and results report.
namespace dbtype {
inline constexpr int I2 = 2, I4 = 3, R4 = 4, R8 = 5, CY = 6, DATE = 7, BOOL = 11, VARIANT = 12,
                     DECIMAL = 14, I1 = 16, UI1 = 17, UI2 = 18, UI4 = 19, I8 = 20, UI8 = 21,
                     GUID = 72, BYTES = 128, STR = 129, WSTR = 130, NUMERIC = 131, DBDATE = 133,
                     DBTIME = 134, DBTIMESTAMP = 135;
}

// OLE DB column flag bits (DBCOLUMNFLAGS_*).
namespace columnflag {
inline constexpr int WriteUnknown = 0x8, IsFixedLength = 0x10, IsNullable = 0x20, MaybeNull = 0x40,
                     IsLong = 0x80, IsRowVersion = 0x200;
}

} // namespace tallix
