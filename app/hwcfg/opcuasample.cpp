#include "opcuasample.h"

#include <opcua/opcuainterfacecodec.h>
#include <opcua/opcuasettingscodec.h>

namespace {

OpcUaVarRecord node(const char* address, OpcUaDataType type, OpcUaAddressKind kind,
                    const char* name, const char* description,
                    OpcUaAccessLevel access = OpcUaAccessLevel::ReadWrite, quint16 db = 0)
{
    OpcUaVarRecord r;
    r.address = QLatin1String(address);
    r.dataType = quint32(type);
    r.addressKind = quint32(kind);
    r.accessLevel = quint32(access);
    r.browseName = r.address;
    r.displayName = QLatin1String(name);
    r.description = QLatin1String(description);
    r.dbNumber = db;
    return r;
}

} // namespace

OpcUaFileContents OpcUaSample::contents()
{
    OpcUaSettings settings;
    settings.serverEnabled = true;
    settings.userAuthentication = true;
    settings.users = {{"operator", "line1op"}, {"service", "s3rvice"}};
    settings.serverName = QStringLiteral("Bottling line 1");

    using T = OpcUaDataType;
    using K = OpcUaAddressKind;
    const auto R = OpcUaAccessLevel::Read;
    OpcUaInterface line{QStringLiteral("Line"), {}};
    line.records.push_back(node("I0.0", T::Bool, K::Bit, "StartButton", "Start the line", R));
    line.records.push_back(node("Q0.0", T::Bool, K::Bit, "ConveyorOn", "Conveyor motor"));
    line.records.push_back(
        node("VW100", T::Int16, K::Word, "FillerSpeed", "Filler speed set point"));
    line.records.push_back(
        node("AIW0", T::Int16, K::AnalogWord, "PressureIn", "Inlet pressure", R));
    OpcUaVarRecord recipe = node("DB1", T::Object, K::DataBlockObject, "Recipe",
                                 "Recipe of the current batch", OpcUaAccessLevel::ReadWrite, 1);
    recipe.elements.push_back(node("DB1.DBW0", T::Int16, K::Word, "Recipe.FillVolume",
                                   "Fill volume in ml", OpcUaAccessLevel::ReadWrite, 1));
    recipe.elements.push_back(node("DB1.DBD2", T::Float, K::DoubleWord, "Recipe.CapTorque",
                                   "Cap torque in Ncm", OpcUaAccessLevel::ReadWrite, 1));
    recipe.elements.push_back(node("DB1.DBX6.0", T::Bool, K::Bit, "Recipe.Rinse",
                                   "Rinse before filling", OpcUaAccessLevel::ReadWrite, 1));
    line.records.push_back(recipe);
    OpcUaInterface diagnostics{QStringLiteral("Diagnostics"), {}};
    diagnostics.records.push_back(
        node("VD200", T::UInt32, K::DoubleWord, "BatchCount", "Batches today", R));
    diagnostics.records.push_back(node("SMB28", T::SByte, K::Byte, "SMB28", "", R));
    return {OpcUaSettingsCodec::encode(settings), OpcUaInterfaceCodec::encode({line, diagnostics})};
}
