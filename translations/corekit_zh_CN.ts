<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>IpAddressWidget</name>
    <message>
        <source>The IP address is empty.</source>
        <translation>IP地址为空。</translation>
    </message>
    <message>
        <source>The IP address is incomplete.</source>
        <translation>IP地址不完整。</translation>
    </message>
    <message>
        <source>The IP address must be four numbers from 0 to 255, separated by dots.</source>
        <translation>IP地址必须是用点分隔的四个0到255之间的数。</translation>
    </message>
    <message>
        <source>The IP address must start with a number from 1 to 223.</source>
        <translation>IP地址的第一个数必须在1到223之间。</translation>
    </message>
    <message>
        <source>The IP address must not start with 127, which is reserved for loopback.</source>
        <translation>IP地址不能以127开头，127保留用于环回。</translation>
    </message>
    <message>
        <source>The subnet mask is empty.</source>
        <translation>子网掩码为空。</translation>
    </message>
    <message>
        <source>The subnet mask is incomplete.</source>
        <translation>子网掩码不完整。</translation>
    </message>
    <message>
        <source>The subnet mask must be four numbers from 0 to 255, separated by dots.</source>
        <translation>子网掩码必须是用点分隔的四个0到255之间的数。</translation>
    </message>
    <message>
        <source>The gateway address is empty.</source>
        <translation>网关地址为空。</translation>
    </message>
    <message>
        <source>The gateway address is incomplete.</source>
        <translation>网关地址不完整。</translation>
    </message>
    <message>
        <source>The gateway address must be four numbers from 0 to 255, separated by dots.</source>
        <translation>网关地址必须是用点分隔的四个0到255之间的数。</translation>
    </message>
    <message>
        <source>The gateway address must start with a number from 1 to 223.</source>
        <translation>网关地址的第一个数必须在1到223之间。</translation>
    </message>
    <message>
        <source>The gateway address must not start with 127, which is reserved for loopback.</source>
        <translation>网关地址不能以127开头，127保留用于环回。</translation>
    </message>
    <message>
        <source>The DNS server address is empty.</source>
        <translation>DNS服务器地址为空。</translation>
    </message>
    <message>
        <source>The DNS server address is incomplete.</source>
        <translation>DNS服务器地址不完整。</translation>
    </message>
    <message>
        <source>The DNS server address must be four numbers from 0 to 255, separated by dots.</source>
        <translation>DNS服务器地址必须是用点分隔的四个0到255之间的数。</translation>
    </message>
    <message>
        <source>The DNS server address must start with a number from 1 to 223.</source>
        <translation>DNS服务器地址的第一个数必须在1到223之间。</translation>
    </message>
    <message>
        <source>The DNS server address must not start with 127, which is reserved for loopback.</source>
        <translation>DNS服务器地址不能以127开头，127保留用于环回。</translation>
    </message>
    <message>
        <source>Unknown kind of address check.</source>
        <translation>未知的地址检查类型。</translation>
    </message>
    <message>
        <source>The subnet mask must not be 0.0.0.0.</source>
        <translation>子网掩码不能是0.0.0.0。</translation>
    </message>
    <message>
        <source>The subnet mask must not be 255.255.255.255.</source>
        <translation>子网掩码不能是255.255.255.255。</translation>
    </message>
    <message>
        <source>The subnet mask must be a run of ones followed by zeros.</source>
        <translation>子网掩码必须是连续的1后跟连续的0。</translation>
    </message>
    <message>
        <source>With this subnet mask the IP address is the network address of its subnet (all host bits zero).</source>
        <translation>在此子网掩码下，该IP地址是其子网的网络地址（主机位全为0）。</translation>
    </message>
    <message>
        <source>With this subnet mask the IP address is the broadcast address of its subnet (all host bits one).</source>
        <translation>在此子网掩码下，该IP地址是其子网的广播地址（主机位全为1）。</translation>
    </message>
    <message>
        <source>The gateway must be in the subnet of the IP address.</source>
        <translation>网关必须与IP地址在同一子网内。</translation>
    </message>
    <message>
        <source>The gateway must not be the IP address itself.</source>
        <translation>网关不能与IP地址相同。</translation>
    </message>
    <message>
        <source>The gateway must not be the network address of the subnet.</source>
        <translation>网关不能是子网的网络地址。</translation>
    </message>
    <message>
        <source>The gateway must not be the broadcast address of the subnet.</source>
        <translation>网关不能是子网的广播地址。</translation>
    </message>
</context>
<context>
    <name>corekit</name>
    <message>
        <source>The memory was reserved.</source>
        <translation>存储区已分配。</translation>
    </message>
    <message>
        <source>The address range is already used in the project.</source>
        <translation>该地址范围在项目中已被占用。</translation>
    </message>
    <message>
        <source>The address range exceeds the memory of the PLC type.</source>
        <translation>该地址范围超出了此PLC类型的存储区。</translation>
    </message>
    <message>
        <source>The address range is not valid.</source>
        <translation>该地址范围无效。</translation>
    </message>
    <message>
        <source>The address range was not reserved.</source>
        <translation>该地址范围未被分配。</translation>
    </message>
    <message>
        <source>Unknown memory error %1.</source>
        <translation>未知的存储区错误%1。</translation>
    </message>
</context>
</TS>
