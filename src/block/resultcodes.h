#pragma once

// Result codes that leave the plug-in: in the compile error list, in recompile's error and
// in the debug log. Their values are part of the host's interface and never change.

// What compile and compileOld put in the host's error list.
enum class CompileError : int {
    RetentiveTooLarge = 8,         // the retentive ranges need more than 128 KiB
    CanMasterLimits = 10,          // at 20 kbit/s: more than 8 CAN slaves, or a slave with
                                   // more than 8 process data channels
    RetentiveTooLargeCompact = 14, // more than the compact model's 164 KiB
    SoeDataBlockMissing = 132,     // an SOE trigger names a data block the project lacks
};

// recompile's error: 0, or why it gave no object. The header reader answers None or
// UnknownObjId.
enum class RecompileError : int {
    None = 0,
    SectionShort = -1,       // the CPU parameter or CPU expansion section is cut short
    UnknownObjId = 129,      // the header's ObjID is not in the module catalog
    ServerFileMissing = 130, // the module's server file is not in the host's program folder
};

// Rebuilding the CANopen master from a download payload: 0, the error code of a slave
// plug-in that failed, or SlaveUnresolvable. It goes to the debug log only; that it shares
// its value with RecompileError::ServerFileMissing means nothing.
enum class CanRebuildError : int {
    None = 0,
    SlaveUnresolvable = 130, // no plug-in rebuilds the record's slave type
};

// The value on the wire or at the interface.
template <typename Code>
constexpr int code(Code c)
{
    return static_cast<int>(c);
}
