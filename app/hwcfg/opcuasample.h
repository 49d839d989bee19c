#pragma once

#include <opcua/opcuafile.h>

// A small OPC UA configuration over the sample project line1.json: the server on with two
// login users, and two interfaces publishing some of its symbols and its recipe block.
class OpcUaSample
{
public:
    static OpcUaFileContents contents();
};
