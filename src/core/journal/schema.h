#pragma once

// The journal file's layout, shared by the program, the command line (which builds the empty
// template "ibase.thb" from it) and the tests. Both writers append by position, so the order
// of the columns is part of the format.

namespace yw::journal_schema {

// Applied to every connection right after the key, before the first read. The cipher
// settings must match the ones the file was created with.
inline constexpr const char *kConnectionPragmas[] = {
    "PRAGMA cipher_page_size = 4096",
    "PRAGMA cache_size = -16384", // 16 MB of decrypted pages
    "PRAGMA foreign_keys = OFF",
};

// DateVar holds ISO "yyyy-mm-dd" text and TimeVar "hh:mm:ss" text (see Journal).
inline constexpr const char *kSchema[] = {
    "CREATE TABLE RGeksa ("
    "Id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "DateVar DATE, "
    "TimeVar TIME, "
    "UserName VARCHAR(100), "
    "Question VARCHAR(255), "
    "GeksagrammaOld INTEGER, "
    "GeksagrammaYou INTEGER, "
    "GO1 CHAR(1), GO2 CHAR(1), GO3 CHAR(1), GO4 CHAR(1), GO5 CHAR(1), GO6 CHAR(1), "
    "Interpretation VARCHAR(100), "
    "Attention CHAR(1), "
    "Method VARCHAR(100), "
    "Principle VARCHAR(50))",
    "CREATE TABLE RUser ("
    "DisplayName VARCHAR(100), "
    "FName VARCHAR(50), "
    "SName VARCHAR(50), "
    "MName VARCHAR(50), "
    "BornDate DATE, "
    "BornTime TIME, "
    "BornTown VARCHAR(100), "
    "TownLat VARCHAR(20), "
    "SLat VARCHAR(5), "
    "TownLon VARCHAR(20), "
    "Slon VARCHAR(5), "
    "TownGMT VARCHAR(20), "
    "FormatDisplay INTEGER, "
    "SexName VARCHAR(20))",
    // One index per filter field: the browser's filter, its value list and the footer count
    // read an index range instead of the table. The date and user ones also carry every column
    // of the period statement, so a period is read from the index alone (a full journal's
    // period in a tenth of the time); the user/number pairs serve the two count statements.
    "CREATE INDEX RGeksa_DatePeriod ON RGeksa (DateVar, UserName, GeksagrammaOld, GeksagrammaYou)",
    "CREATE INDEX RGeksa_UserPeriod ON RGeksa (UserName, DateVar, GeksagrammaOld, GeksagrammaYou)",
    "CREATE INDEX RGeksa_GeksagrammaOld ON RGeksa (GeksagrammaOld)",
    "CREATE INDEX RGeksa_GeksagrammaYou ON RGeksa (GeksagrammaYou)",
    "CREATE INDEX RGeksa_Interpretation ON RGeksa (Interpretation)",
    "CREATE INDEX RGeksa_Attention ON RGeksa (Attention)",
    "CREATE INDEX RGeksa_Method ON RGeksa (Method)",
    "CREATE INDEX RGeksa_Principle ON RGeksa (Principle)",
    "CREATE INDEX RGeksa_UserOld ON RGeksa (UserName, GeksagrammaOld)",
    "CREATE INDEX RGeksa_UserYou ON RGeksa (UserName, GeksagrammaYou)",
};

} // namespace yw::journal_schema
