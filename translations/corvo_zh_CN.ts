<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AddressPage</name>
    <message>
        <source>Input</source>
        <translation>输入</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>输出</translation>
    </message>
    <message>
        <source>0~%1</source>
        <translation>0~%1</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>字节</translation>
    </message>
    <message>
        <source>I</source>
        <translation>I</translation>
    </message>
    <message>
        <source>Q</source>
        <translation>Q</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>地址</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>长度</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>单位</translation>
    </message>
    <message>
        <source>Start:</source>
        <translation>起始：</translation>
    </message>
    <message>
        <source>End:</source>
        <translation>结束：</translation>
    </message>
    <message>
        <source>Memory:</source>
        <translation>存储区：</translation>
    </message>
</context>
<context>
    <name>BackgroundPage</name>
    <message>
        <source>You can select the amount of time the PLC will dedicate to background activities during RUN mode. This parameter is primarily used to control the scan impact during execution states and runtime edit operations.</source>
        <translation>您可以选择PLC在RUN模式下用于后台通信活动的时间比例。此参数主要用于控制执行状态和运行时编辑操作对扫描周期的影响。</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Select Communications Background Times (5 - 50%)</source>
        <translation>选择通信背景时间（5 - 50%）</translation>
    </message>
</context>
<context>
    <name>CanMasterPage</name>
    <message>
        <source>You can configure parameters for the CANopen port integrated in the CPU.</source>
        <translation>您可以配置CPU集成的CANopen端口的参数。</translation>
    </message>
    <message>
        <source>Use CANopen</source>
        <translation>使用CANopen</translation>
    </message>
    <message>
        <source>No free node ID is selected for the CANopen master; it keeps node ID %1.</source>
        <translation>没有为CANopen主站选择空闲的节点ID；主站保持节点ID %1。</translation>
    </message>
</context>
<context>
    <name>CanMasterWdgt</name>
    <message>
        <source>Node ID</source>
        <translation>节点ID</translation>
    </message>
    <message>
        <source>Baud Rate</source>
        <translation>波特率</translation>
    </message>
    <message>
        <source>Cycle Period(us)</source>
        <translation>循环周期(us)</translation>
    </message>
    <message>
        <source>Heart Beat Time(ms)</source>
        <translation>心跳时间(ms)</translation>
    </message>
</context>
<context>
    <name>Card485CANPParWgt</name>
    <message>
        <source>Enable CANopen Master</source>
        <translation>启用CANopen主站</translation>
    </message>
    <message>
        <source>%1~%2</source>
        <translation>%1~%2</translation>
    </message>
    <message>
        <source>Baud Rate:</source>
        <translation>波特率：</translation>
    </message>
    <message>
        <source>Node ID</source>
        <translation>节点ID</translation>
    </message>
    <message>
        <source>COB ID</source>
        <translation>COB ID</translation>
    </message>
    <message>
        <source>Cycle Period(us)</source>
        <translation>循环周期(us)</translation>
    </message>
    <message>
        <source>Heart Beat Time(ms)</source>
        <translation>心跳时间(ms)</translation>
    </message>
    <message>
        <source>Port Number:</source>
        <translation>端口号：</translation>
    </message>
    <message>
        <source>Protocol Type:</source>
        <translation>协议类型：</translation>
    </message>
    <message>
        <source>The COB ID must be in the range %1~%2.</source>
        <translation>COB ID必须在%1~%2范围内。</translation>
    </message>
</context>
<context>
    <name>Card485RTCPParWgt</name>
    <message>
        <source>Address must not be repeated</source>
        <translation>地址不能重复</translation>
    </message>
</context>
<context>
    <name>CardAMX05PParWgt</name>
    <message>
        <source>Enable Channel 0</source>
        <translation>启用通道0</translation>
    </message>
    <message>
        <source>Enable Channel 1</source>
        <translation>启用通道1</translation>
    </message>
    <message>
        <source>Range Config</source>
        <translation>量程配置</translation>
    </message>
    <message>
        <source>Filter Time:</source>
        <translation>滤波时间：</translation>
    </message>
    <message>
        <source>Input Rang:</source>
        <translation>输入量程：</translation>
    </message>
    <message>
        <source>Open Wire Detect:</source>
        <translation>断线检测：</translation>
    </message>
    <message>
        <source>Direction:</source>
        <translation>方向：</translation>
    </message>
    <message>
        <source>Filter Parameter:</source>
        <translation>滤波参数：</translation>
    </message>
    <message>
        <source>Enable Channel 2</source>
        <translation>启用通道2</translation>
    </message>
    <message>
        <source>Output Tables</source>
        <translation>输出表</translation>
    </message>
    <message>
        <source>Freeze outputs in last state</source>
        <translation>输出冻结在最后状态</translation>
    </message>
    <message>
        <source>Output Value:</source>
        <translation>输出值：</translation>
    </message>
    <message>
        <source>Output Type</source>
        <translation>输出类型</translation>
    </message>
    <message>
        <source>Output Range:</source>
        <translation>输出量程：</translation>
    </message>
    <message>
        <source>Input address mapper</source>
        <translation>输入地址映射</translation>
    </message>
    <message>
        <source>Output address mapper</source>
        <translation>输出地址映射</translation>
    </message>
    <message>
        <source>AIEx</source>
        <translation>AIEx</translation>
    </message>
    <message>
        <source>AQEx</source>
        <translation>AQEx</translation>
    </message>
    <message>
        <source>0~%1</source>
        <translation>0~%1</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Words</source>
        <translation>字</translation>
    </message>
    <message>
        <source>Area:</source>
        <translation>存储区：</translation>
    </message>
    <message>
        <source>Start:</source>
        <translation>起始：</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>长度：</translation>
    </message>
    <message>
        <source>Occupies:</source>
        <translation>占用：</translation>
    </message>
    <message>
        <source>%1~%2</source>
        <translation>%1~%2</translation>
    </message>
    <message>
        <source>The start address must be an even number in the range 0~%1.</source>
        <translation>起始地址必须是0~%1范围内的偶数。</translation>
    </message>
    <message>
        <source>The output value must be in the range %1~%2.</source>
        <translation>输出值必须在%1~%2范围内。</translation>
    </message>
</context>
<context>
    <name>CardDIX06PParWgt</name>
    <message>
        <source>Channel</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>方向</translation>
    </message>
    <message>
        <source>Filter/Freeze Output</source>
        <translation>滤波/输出冻结</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>地址</translation>
    </message>
    <message>
        <source>Address error.</source>
        <translation>地址错误。</translation>
    </message>
</context>
<context>
    <name>CardLists</name>
    <message>
        <source>NONE</source>
        <translation>无</translation>
    </message>
    <message>
        <source>485/CAN-P</source>
        <translation>485/CAN-P</translation>
    </message>
    <message>
        <source>485/RTC-P</source>
        <translation>485/RTC-P</translation>
    </message>
    <message>
        <source>AMX05-P</source>
        <translation>AMX05-P</translation>
    </message>
    <message>
        <source>RTC-P</source>
        <translation>RTC-P</translation>
    </message>
    <message>
        <source>DIX06-P</source>
        <translation>DIX06-P</translation>
    </message>
    <message>
        <source>FREE</source>
        <translation>自由口</translation>
    </message>
    <message>
        <source>ModbusRTU Master</source>
        <translation>ModbusRTU主站</translation>
    </message>
    <message>
        <source>ModbusRTU Slave</source>
        <translation>ModbusRTU从站</translation>
    </message>
    <message>
        <source>9600</source>
        <translation>9600</translation>
    </message>
    <message>
        <source>19200</source>
        <translation>19200</translation>
    </message>
    <message>
        <source>38400</source>
        <translation>38400</translation>
    </message>
    <message>
        <source>57600</source>
        <translation>57600</translation>
    </message>
    <message>
        <source>115200</source>
        <translation>115200</translation>
    </message>
    <message>
        <source>7bit</source>
        <translation>7位</translation>
    </message>
    <message>
        <source>8bit</source>
        <translation>8位</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>奇校验</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>偶校验</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>CANFree</source>
        <translation>CAN自由口</translation>
    </message>
    <message>
        <source>CANopen Master</source>
        <translation>CANopen主站</translation>
    </message>
    <message>
        <source>50kbps</source>
        <translation>50kbps</translation>
    </message>
    <message>
        <source>125kbps</source>
        <translation>125kbps</translation>
    </message>
    <message>
        <source>250kbps</source>
        <translation>250kbps</translation>
    </message>
    <message>
        <source>500kbps</source>
        <translation>500kbps</translation>
    </message>
    <message>
        <source>800kbps</source>
        <translation>800kbps</translation>
    </message>
    <message>
        <source>1000kbps</source>
        <translation>1000kbps</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>输入</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>输出</translation>
    </message>
    <message>
        <source>0.2ms</source>
        <translation>0.2ms</translation>
    </message>
    <message>
        <source>0.4ms</source>
        <translation>0.4ms</translation>
    </message>
    <message>
        <source>0.8ms</source>
        <translation>0.8ms</translation>
    </message>
    <message>
        <source>1.6ms</source>
        <translation>1.6ms</translation>
    </message>
    <message>
        <source>3.2ms</source>
        <translation>3.2ms</translation>
    </message>
    <message>
        <source>6.4ms</source>
        <translation>6.4ms</translation>
    </message>
    <message>
        <source>12.8ms</source>
        <translation>12.8ms</translation>
    </message>
    <message>
        <source>NONE Freeze</source>
        <translation>不冻结</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>冻结</translation>
    </message>
    <message>
        <source>I</source>
        <translation>I</translation>
    </message>
    <message>
        <source>Q</source>
        <translation>Q</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>12ms</source>
        <translation>12ms</translation>
    </message>
    <message>
        <source>48ms</source>
        <translation>48ms</translation>
    </message>
    <message>
        <source>96ms</source>
        <translation>96ms</translation>
    </message>
    <message>
        <source>192ms</source>
        <translation>192ms</translation>
    </message>
    <message>
        <source>384ms</source>
        <translation>384ms</translation>
    </message>
    <message>
        <source>0~10V</source>
        <translation>0~10V</translation>
    </message>
    <message>
        <source>0~20mA</source>
        <translation>0~20mA</translation>
    </message>
    <message>
        <source>4~20mA</source>
        <translation>4~20mA</translation>
    </message>
    <message>
        <source>Ban</source>
        <translation>禁止</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>Invalid</source>
        <translation>无效</translation>
    </message>
    <message>
        <source>Upscale</source>
        <translation>上限</translation>
    </message>
    <message>
        <source>Downscale</source>
        <translation>下限</translation>
    </message>
</context>
<context>
    <name>CardSlotCfgWidget</name>
    <message>
        <source>Activate</source>
        <translation>激活</translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation>默认值</translation>
    </message>
    <message>
        <source>Module:</source>
        <translation>模块：</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>名称：</translation>
    </message>
    <message>
        <source>Information:</source>
        <translation>信息：</translation>
    </message>
</context>
<context>
    <name>ClockCardParWgt</name>
    <message>
        <source>RTC %1</source>
        <translation>RTC %1</translation>
    </message>
    <message>
        <source>(The RTC function can be enabled for only one expansion card.)</source>
        <translation>（只能为一块扩展卡启用RTC功能。）</translation>
    </message>
    <message>
        <source>(To enable the RTC function, disable the RTC function for other expansion cards first.)</source>
        <translation>（要启用RTC功能，请先禁用其他扩展卡的RTC功能。）</translation>
    </message>
</context>
<context>
    <name>ConfigValidator</name>
    <message>
        <source>Compile error %1: the retentive ranges need more than 128 KiB of retentive memory.</source>
        <translation>编译错误%1：断电数据保持范围需要的保持存储区超过128 KiB。</translation>
    </message>
    <message>
        <source>Compile error %1: the retentive ranges need more than the compact CPU&apos;s 164 KiB of retentive memory.</source>
        <translation>编译错误%1：断电数据保持范围需要的保持存储区超过紧凑型CPU的164 KiB。</translation>
    </message>
    <message>
        <source>Compile error %1: an SOE record is triggered by a data block that the project does not contain.</source>
        <translation>编译错误%1：SOE记录的触发变量位于项目中不存在的数据块。</translation>
    </message>
    <message>
        <source>Compile error %1: at 20 kbit/s the CANopen master takes at most 8 slaves, and a slave at most 8 process data channels.</source>
        <translation>编译错误%1：波特率为20 kbit/s时，CANopen主站最多带8个从站，每个从站最多8个过程数据通道。</translation>
    </message>
    <message>
        <source>Compile error %1.</source>
        <translation>编译错误%1。</translation>
    </message>
</context>
<context>
    <name>Corvopropdlg</name>
    <message>
        <source>Properties - %1</source>
        <translation>属性 - %1</translation>
    </message>
    <message>
        <source>CPU</source>
        <translation>CPU</translation>
    </message>
    <message>
        <source>&lt;font color=&quot;#0000FF&quot;&gt;Configuration must be downloaded before taking effect.&lt;/font&gt;</source>
        <translation>&lt;font color=&quot;#0000FF&quot;&gt;配置下载后才能生效。&lt;/font&gt;</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Default All</source>
        <translation>全部默认</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Address must not be repeated</source>
        <translation>地址不能重复</translation>
    </message>
    <message>
        <source>General</source>
        <translation>常规</translation>
    </message>
    <message>
        <source>PPI Ports</source>
        <translation>PPI端口</translation>
    </message>
    <message>
        <source>Communication Ports</source>
        <translation>通信端口</translation>
    </message>
    <message>
        <source>TCP/IP Ports</source>
        <translation>TCP/IP端口</translation>
    </message>
    <message>
        <source>TCP/IP Port</source>
        <translation>TCP/IP端口</translation>
    </message>
    <message>
        <source>Retentive Ranges</source>
        <translation>断电数据保持</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Background Time</source>
        <translation>背景时间</translation>
    </message>
    <message>
        <source>SOE Configurations</source>
        <translation>SOE配置</translation>
    </message>
    <message>
        <source>Extend Bus Clock Configurations</source>
        <translation>扩展总线时钟配置</translation>
    </message>
    <message>
        <source>EtherCAT</source>
        <translation>EtherCAT</translation>
    </message>
    <message>
        <source>CANopen Master</source>
        <translation>CANopen主站</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>集成IO地址映射</translation>
    </message>
    <message>
        <source>Input Filter</source>
        <translation>输入滤波</translation>
    </message>
    <message>
        <source>High-speed Counter</source>
        <translation>高速计数器</translation>
    </message>
    <message>
        <source>OPC UA</source>
        <translation>OPC UA</translation>
    </message>
    <message>
        <source>Profinet Bus</source>
        <translation>Profinet总线</translation>
    </message>
    <message>
        <source>QBUS Bus</source>
        <translation>QBUS总线</translation>
    </message>
    <message>
        <source>Extend Card</source>
        <translation>扩展卡配置</translation>
    </message>
    <message>
        <source>Ethernet/IP</source>
        <translation>Ethernet/IP</translation>
    </message>
</context>
<context>
    <name>DialogPage</name>
    <message>
        <source>Defaults</source>
        <translation>默认值</translation>
    </message>
</context>
<context>
    <name>EipPage</name>
    <message>
        <source>You can configure parameters for the Use Ethernet/IP integrated in the CPU.</source>
        <translation>您可以配置CPU集成的Ethernet/IP的参数。</translation>
    </message>
    <message>
        <source>Use Ethernet/IP</source>
        <translation>使用Ethernet/IP</translation>
    </message>
</context>
<context>
    <name>EtherCatPage</name>
    <message>
        <source>You can configure parameters for the EtherCAT port integrated in the CPU.</source>
        <translation>您可以配置CPU集成的EtherCAT端口的参数。</translation>
    </message>
    <message>
        <source>Use EtherCAT</source>
        <translation>使用EtherCAT</translation>
    </message>
    <message>
        <source>Task Interval(1-100 ms)</source>
        <translation>任务周期(1-100 ms)</translation>
    </message>
    <message>
        <source>Enable Redundancy</source>
        <translation>启用冗余</translation>
    </message>
    <message>
        <source>Distributed Clock</source>
        <translation>分布式时钟</translation>
    </message>
    <message>
        <source>Cycle Time</source>
        <translation>循环时间</translation>
    </message>
    <message>
        <source>us</source>
        <translation>us</translation>
    </message>
    <message>
        <source>Sync Offset</source>
        <translation>同步偏移</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>Sync Window Monitor</source>
        <translation>同步窗口监视</translation>
    </message>
    <message>
        <source>Sync Window</source>
        <translation>同步窗口</translation>
    </message>
</context>
<context>
    <name>ExtBusClockPage</name>
    <message>
        <source>100 MHz</source>
        <translation>100 MHz</translation>
    </message>
    <message>
        <source>55 MHz</source>
        <translation>55 MHz</translation>
    </message>
    <message>
        <source>You can set the extend bus clock frequency for this CPU. The default value is %1, and you can reduce it if extend bus length is over 5 meters.</source>
        <translation>您可以设置此CPU的扩展总线时钟频率。默认值为%1，扩展总线长度超过5米时可以降低频率。</translation>
    </message>
    <message>
        <source>20 MHz</source>
        <translation>20 MHz</translation>
    </message>
    <message>
        <source>10 MHz</source>
        <translation>10 MHz</translation>
    </message>
    <message>
        <source>Clock Frequency</source>
        <translation>时钟频率</translation>
    </message>
    <message>
        <source>Select Extend Bus Clock Frequency</source>
        <translation>选择扩展总线时钟频率</translation>
    </message>
</context>
<context>
    <name>ExtCardPage</name>
    <message>
        <source>The addresses %1 of the %2 card in the %3 cannot be reserved: %4</source>
        <translation>%3中%2卡的地址%1无法分配：%4</translation>
    </message>
    <message>
        <source>upper slot</source>
        <translation>上插槽</translation>
    </message>
    <message>
        <source>lower slot</source>
        <translation>下插槽</translation>
    </message>
    <message>
        <source>dataError</source>
        <translation>数据错误</translation>
    </message>
</context>
<context>
    <name>ExtendCardCfgWgt</name>
    <message>
        <source>Upper slot</source>
        <translation>上插槽</translation>
    </message>
    <message>
        <source>Lower slot</source>
        <translation>下插槽</translation>
    </message>
</context>
<context>
    <name>FolderDlg</name>
    <message>
        <source>Display Name:</source>
        <translation>显示名称：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Display name can&apos;t be empty.</source>
        <translation>显示名称不能为空。</translation>
    </message>
    <message>
        <source>Display name cannot start with a blank.</source>
        <translation>显示名称不能以空格开头。</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
</context>
<context>
    <name>GeneralPage</name>
    <message>
        <source>You can adjust the name and comment for the object.</source>
        <translation>您可以修改该对象的名称和注释。</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>名称：</translation>
    </message>
    <message>
        <source>Comment:</source>
        <translation>注释：</translation>
    </message>
</context>
<context>
    <name>HscCounterGroup</name>
    <message>
        <source>HSC%1</source>
        <translation>HSC%1</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>禁用</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>High Level</source>
        <translation>高电平</translation>
    </message>
    <message>
        <source>Low Level</source>
        <translation>低电平</translation>
    </message>
    <message>
        <source>4x</source>
        <translation>4倍频</translation>
    </message>
    <message>
        <source>2x</source>
        <translation>2倍频</translation>
    </message>
    <message>
        <source>1x</source>
        <translation>1倍频</translation>
    </message>
    <message>
        <source>Increase</source>
        <translation>增计数</translation>
    </message>
    <message>
        <source>Decrease</source>
        <translation>减计数</translation>
    </message>
    <message>
        <source>75K</source>
        <translation>75K</translation>
    </message>
    <message>
        <source>100K</source>
        <translation>100K</translation>
    </message>
    <message>
        <source>125K</source>
        <translation>125K</translation>
    </message>
    <message>
        <source>250K</source>
        <translation>250K</translation>
    </message>
    <message>
        <source>375K</source>
        <translation>375K</translation>
    </message>
    <message>
        <source>500K</source>
        <translation>500K</translation>
    </message>
    <message>
        <source>750K</source>
        <translation>750K</translation>
    </message>
    <message>
        <source>Enable:</source>
        <translation>启用：</translation>
    </message>
    <message>
        <source>Mode Select:</source>
        <translation>模式选择：</translation>
    </message>
    <message>
        <source>Reset Level:</source>
        <translation>复位电平：</translation>
    </message>
    <message>
        <source>Count Rate:</source>
        <translation>计数倍率：</translation>
    </message>
    <message>
        <source>Direction Control:</source>
        <translation>方向控制：</translation>
    </message>
    <message>
        <source>Preset Value:</source>
        <translation>预置值：</translation>
    </message>
    <message>
        <source>Current Value:</source>
        <translation>当前值：</translation>
    </message>
    <message>
        <source>Input Pulse Filter Frequency:</source>
        <translation>输入脉冲滤波频率：</translation>
    </message>
    <message>
        <source>Speed-testing Time(ms):</source>
        <translation>测速时间(ms)：</translation>
    </message>
    <message>
        <source>Preset Value</source>
        <translation>预置值</translation>
    </message>
    <message>
        <source>Current Value</source>
        <translation>当前值</translation>
    </message>
    <message>
        <source>Speed-testing Time(ms)</source>
        <translation>测速时间(ms)</translation>
    </message>
    <message>
        <source>The %1 of HSC%2 must be a whole number from %3 to %4.</source>
        <translation>HSC%2的%1必须是%3到%4之间的整数。</translation>
    </message>
</context>
<context>
    <name>HscPage</name>
    <message>
        <source>You can configure HSC%1 in this page. You can also modify the configuration through the control byte in your program.
Mode 0~1: Single-phase counter with internal direction control;
Mode 3~4: Single-phase counter with external direction control;
Mode 6~7: Two-phase counter with 2 clock inputs;
Mode 9~10:A/B phase quadrature counter.
</source>
        <translation>您可以在此页配置HSC%1，也可以在程序中通过控制字节修改配置。
模式0~1：内部方向控制的单相计数器；
模式3~4：外部方向控制的单相计数器；
模式6~7：双时钟输入的双相计数器；
模式9~10：A/B相正交计数器。
</translation>
    </message>
    <message>
        <source>HSC%1</source>
        <translation>HSC%1</translation>
    </message>
</context>
<context>
    <name>InputFilterPage</name>
    <message>
        <source>You can select the time that the input must remain constant before the signalis caught by the PLC.</source>
        <translation>您可以选择输入信号在被PLC采集之前必须保持不变的时间。</translation>
    </message>
    <message>
        <source>Input Filter Delays</source>
        <translation>输入滤波延时</translation>
    </message>
    <message>
        <source>Input Filter Param</source>
        <translation>输入滤波参数</translation>
    </message>
    <message>
        <source>0.20ms</source>
        <translation>0.20ms</translation>
    </message>
    <message>
        <source>0.40ms</source>
        <translation>0.40ms</translation>
    </message>
    <message>
        <source>0.80ms</source>
        <translation>0.80ms</translation>
    </message>
    <message>
        <source>1.60ms</source>
        <translation>1.60ms</translation>
    </message>
    <message>
        <source>3.20ms</source>
        <translation>3.20ms</translation>
    </message>
    <message>
        <source>6.40ms</source>
        <translation>6.40ms</translation>
    </message>
    <message>
        <source>12.8ms</source>
        <translation>12.8ms</translation>
    </message>
    <message>
        <source>0.20us</source>
        <translation>0.20us</translation>
    </message>
    <message>
        <source>0.40us</source>
        <translation>0.40us</translation>
    </message>
    <message>
        <source>0.80us</source>
        <translation>0.80us</translation>
    </message>
    <message>
        <source>1.60us</source>
        <translation>1.60us</translation>
    </message>
    <message>
        <source>3.20us</source>
        <translation>3.20us</translation>
    </message>
    <message>
        <source>6.40us</source>
        <translation>6.40us</translation>
    </message>
    <message>
        <source>12.8us</source>
        <translation>12.8us</translation>
    </message>
    <message>
        <source>NONE</source>
        <translation>无</translation>
    </message>
    <message>
        <source>I%1.4 - I%2.7</source>
        <translation>I%1.4 - I%2.7</translation>
    </message>
    <message>
        <source>I%1.0 - I%2.3</source>
        <translation>I%1.0 - I%2.3</translation>
    </message>
    <message>
        <source>I%1.%2</source>
        <translation>I%1.%2</translation>
    </message>
</context>
<context>
    <name>LocalPortPage</name>
    <message>
        <source>%1~%2</source>
        <translation>%1~%2</translation>
    </message>
    <message>
        <source>1~65535</source>
        <translation>1~65535</translation>
    </message>
    <message>
        <source>1~126</source>
        <translation>1~126</translation>
    </message>
    <message>
        <source>PPI Port Config</source>
        <translation>PPI端口配置</translation>
    </message>
    <message>
        <source>FREE</source>
        <translation>自由口</translation>
    </message>
    <message>
        <source>ModbusRTU Master</source>
        <translation>ModbusRTU主站</translation>
    </message>
    <message>
        <source>ModbusRTU Slave</source>
        <translation>ModbusRTU从站</translation>
    </message>
    <message>
        <source>PPI Master</source>
        <translation>PPI主站</translation>
    </message>
    <message>
        <source>PPI Slave</source>
        <translation>PPI从站</translation>
    </message>
    <message>
        <source>7bit</source>
        <translation>7位</translation>
    </message>
    <message>
        <source>8bit</source>
        <translation>8位</translation>
    </message>
    <message>
        <source>NONE</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>奇校验</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>偶校验</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Port Config</source>
        <translation>端口配置</translation>
    </message>
    <message>
        <source>Port Number:</source>
        <translation>端口号：</translation>
    </message>
    <message>
        <source>Protocol Type:</source>
        <translation>协议类型：</translation>
    </message>
    <message>
        <source>Baud Rate:</source>
        <translation>波特率：</translation>
    </message>
    <message>
        <source>Data Length:</source>
        <translation>数据位：</translation>
    </message>
    <message>
        <source>Parity:</source>
        <translation>校验：</translation>
    </message>
    <message>
        <source>Stop Bits:</source>
        <translation>停止位：</translation>
    </message>
    <message>
        <source>Response Time:</source>
        <translation>响应时间：</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>地址：</translation>
    </message>
    <message>
        <source>Receive Timeout:</source>
        <translation>接收超时：</translation>
    </message>
    <message>
        <source>PLC Address:</source>
        <translation>PLC地址：</translation>
    </message>
    <message>
        <source>Highest Address:</source>
        <translation>最高地址：</translation>
    </message>
    <message>
        <source>Retry Count:</source>
        <translation>重试次数：</translation>
    </message>
    <message>
        <source>Gap Update Factor:</source>
        <translation>间隙更新系数：</translation>
    </message>
    <message>
        <source>9600</source>
        <translation>9600</translation>
    </message>
    <message>
        <source>19200</source>
        <translation>19200</translation>
    </message>
    <message>
        <source>187500</source>
        <translation>187500</translation>
    </message>
    <message>
        <source>38400</source>
        <translation>38400</translation>
    </message>
    <message>
        <source>57600</source>
        <translation>57600</translation>
    </message>
    <message>
        <source>115200</source>
        <translation>115200</translation>
    </message>
</context>
<context>
    <name>OPCUAWidget</name>
    <message>
        <source>Start OPC UA Server</source>
        <translation>启动OPC UA服务器</translation>
    </message>
    <message>
        <source>Initiate anonymous logins</source>
        <translation>允许匿名登录</translation>
    </message>
    <message>
        <source>Start user authentication</source>
        <translation>启用用户认证</translation>
    </message>
    <message>
        <source>WARNING:If anonymous login and user authentication are disabled,you cannot connect to the server.</source>
        <translation>警告：如果同时禁用匿名登录和用户认证，将无法连接到服务器。</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>配置</translation>
    </message>
    <message>
        <source>Server Name:</source>
        <translation>服务器名称：</translation>
    </message>
    <message>
        <source>Server Port:</source>
        <translation>服务器端口：</translation>
    </message>
    <message>
        <source>Session timeout:</source>
        <translation>会话超时：</translation>
    </message>
    <message>
        <source>s</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Maximum number of sessions:</source>
        <translation>最大会话数：</translation>
    </message>
    <message>
        <source>Subscribe to the minimum sampling interval:</source>
        <translation>订阅最小采样间隔：</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Subscribe to the minimum publishing interval:</source>
        <translation>订阅最小发布间隔：</translation>
    </message>
    <message>
        <source>Monitor the maximum number of items:</source>
        <translation>最大监视项数：</translation>
    </message>
    <message>
        <source>Security Policy</source>
        <translation>安全策略</translation>
    </message>
    <message>
        <source>Security Policy Encryption</source>
        <translation>安全策略加密</translation>
    </message>
    <message>
        <source>Generate Certificate Contents:</source>
        <translation>生成证书内容：</translation>
    </message>
    <message>
        <source>Generate key content:</source>
        <translation>生成密钥内容：</translation>
    </message>
    <message>
        <source>The URI name in the self-signed certificate:</source>
        <translation>自签名证书中的URI名称：</translation>
    </message>
    <message>
        <source>Self-signed certificate file name:</source>
        <translation>自签名证书文件名：</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation>默认值</translation>
    </message>
    <message>
        <source>Port number range:1-65535</source>
        <translation>端口号范围：1-65535</translation>
    </message>
    <message>
        <source>Session timeour range:0-6000000s</source>
        <translation>会话超时范围：0-6000000s</translation>
    </message>
    <message>
        <source>The shortest subscription interval range:200-20000ms</source>
        <translation>最小订阅间隔范围：200-20000ms</translation>
    </message>
    <message>
        <source>Monitoring scope:100-500</source>
        <translation>监视项范围：100-500</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>The same login user name exists on the OPC UA Server.</source>
        <translation>OPC UA服务器上已存在相同的登录用户名。</translation>
    </message>
    <message>
        <source>The OPC UA Server name cannot be empty.</source>
        <translation>OPC UA服务器名称不能为空。</translation>
    </message>
    <message>
        <source>The OPC UA Server name cannot start with a blank space.</source>
        <translation>OPC UA服务器名称不能以空格开头。</translation>
    </message>
    <message>
        <source>The OPC UA Server port number cannot be less than one.</source>
        <translation>OPC UA服务器端口号不能小于1。</translation>
    </message>
    <message>
        <source>The minimum publishing interval for subscription of OPC UA Server cannot be less than two hundred ms.</source>
        <translation>OPC UA服务器订阅的最小发布间隔不能小于200 ms。</translation>
    </message>
    <message>
        <source>The monitor the maximum number of items of the OPC UA Server cannot be less than one hundred.</source>
        <translation>OPC UA服务器的最大监视项数不能小于100。</translation>
    </message>
</context>
<context>
    <name>OpcUaFile</name>
    <message>
        <source>the file ends before the %1</source>
        <translation>文件在%1之前结束</translation>
    </message>
    <message>
        <source>the %1 declares %2 bytes; %3 remain</source>
        <translation>%1声明了%2字节，但只剩%3字节</translation>
    </message>
    <message>
        <source>server settings</source>
        <translation>服务器设置</translation>
    </message>
    <message>
        <source>server interface</source>
        <translation>服务器接口</translation>
    </message>
    <message>
        <source>%1 bytes follow the two payloads</source>
        <translation>两段数据之后还有%1字节</translation>
    </message>
    <message>
        <source>the server settings are damaged (%1)</source>
        <translation>服务器设置已损坏（%1）</translation>
    </message>
    <message>
        <source>the server interface cannot be taken (%1)</source>
        <translation>无法接受服务器接口（%1）</translation>
    </message>
    <message>
        <source>the file is larger than %1 bytes</source>
        <translation>文件大于%1字节</translation>
    </message>
</context>
<context>
    <name>OpcUaInterfaceCodec</name>
    <message>
        <source>it declares %1 variables; at most %2 can be published</source>
        <translation>声明了%1个变量；最多只能发布%2个</translation>
    </message>
    <message>
        <source>%1 variables name no interface</source>
        <translation>%1个变量没有所属接口</translation>
    </message>
    <message>
        <source>%1 variables name no data-block object</source>
        <translation>%1个变量没有所属数据块对象</translation>
    </message>
    <message>
        <source>%1 variables have an address of unknown area or data type</source>
        <translation>%1个变量的地址存储区或数据类型未知</translation>
    </message>
    <message>
        <source>%1 variables cannot fit in the %2 bytes left</source>
        <translation>剩余的%2字节容纳不下%1个变量</translation>
    </message>
    <message>
        <source>the variable block declares %1 bytes; it holds %2</source>
        <translation>变量块声明了%1字节，实际有%2字节</translation>
    </message>
    <message>
        <source>%1 bytes after the end</source>
        <translation>结尾之后还有%1字节</translation>
    </message>
    <message>
        <source>%1 interfaces cannot fit in the %2 bytes left</source>
        <translation>剩余的%2字节容纳不下%1个接口</translation>
    </message>
    <message>
        <source>the interface block declares %1 bytes; it holds %2</source>
        <translation>接口块声明了%1字节，实际有%2字节</translation>
    </message>
    <message>
        <source>variable %1 has markers %2 and %3 instead of 16 and 0</source>
        <translation>变量%1的标记为%2和%3，而不是16和0</translation>
    </message>
    <message>
        <source>cut short at byte %1</source>
        <translation>在第%1字节处截断</translation>
    </message>
</context>
<context>
    <name>OpcUaInterfaceTreeModel</name>
    <message>
        <source>Server Interface</source>
        <translation>服务器接口</translation>
    </message>
</context>
<context>
    <name>OpcUaNodePanel</name>
    <message>
        <source>Node Information</source>
        <translation>节点信息</translation>
    </message>
    <message>
        <source>Variable Attributes</source>
        <translation>变量属性</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>地址：</translation>
    </message>
    <message>
        <source>AccessLevel:</source>
        <translation>访问级别：</translation>
    </message>
    <message>
        <source>Data Type:</source>
        <translation>数据类型：</translation>
    </message>
    <message>
        <source>Browse Name:</source>
        <translation>浏览名称：</translation>
    </message>
    <message>
        <source>Display Name:</source>
        <translation>显示名称：</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>描述：</translation>
    </message>
</context>
<context>
    <name>OpcUaPage</name>
    <message>
        <source>Login configuration</source>
        <translation>登录配置</translation>
    </message>
    <message>
        <source>Interface configuration</source>
        <translation>接口配置</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>导出失败</translation>
    </message>
    <message>
        <source>Failed to open file</source>
        <translation>无法打开文件</translation>
    </message>
    <message>
        <source>Failed to write file</source>
        <translation>无法写入文件</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>Import failed</source>
        <translation>导入失败</translation>
    </message>
    <message>
        <source>The file holds no complete OPC UA configuration: %1.</source>
        <translation>该文件不含完整的OPC UA配置：%1。</translation>
    </message>
</context>
<context>
    <name>OpcUaParWdgt</name>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The number of elements added cannot exceed 50000.</source>
        <translation>添加的元素数量不能超过50000。</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>筛选</translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation>默认值</translation>
    </message>
    <message>
        <source>Please drag variables,program blocks or variables
of program blocks into the interface or the table
shown in the interface on the right.</source>
        <translation>请将变量、程序块或程序块中的变量
拖入右侧的接口
或接口中显示的表格。</translation>
    </message>
    <message>
        <source>Add Interface</source>
        <translation>添加接口</translation>
    </message>
    <message>
        <source>Change Interface Name</source>
        <translation>修改接口名称</translation>
    </message>
    <message>
        <source>Delete Interface</source>
        <translation>删除接口</translation>
    </message>
    <message>
        <source>Delete Variable</source>
        <translation>删除变量</translation>
    </message>
    <message>
        <source>Update Element</source>
        <translation>更新元素</translation>
    </message>
    <message>
        <source>The stored server interface publishes %1 variables, more than %2, and is not shown. OK keeps it as it is unless you change the interfaces.</source>
        <translation>已保存的服务器接口发布了%1个变量，超过%2个，因此不予显示。除非修改接口，否则按“确定”时保持其原样。</translation>
    </message>
    <message>
        <source>Not everything stored can be shown (%1). OK keeps the stored interfaces as they are unless you change them.</source>
        <translation>已保存的内容无法全部显示（%1）。除非修改接口，否则按“确定”时保持已保存的接口原样。</translation>
    </message>
    <message>
        <source>Please right-click the Server Interface to
add an interface.</source>
        <translation>请右击“服务器接口”
以添加接口。</translation>
    </message>
    <message>
        <source>Please drag elements into the interface.</source>
        <translation>请将元素拖入接口。</translation>
    </message>
    <message>
        <source>Server Interface</source>
        <translation>服务器接口</translation>
    </message>
    <message>
        <source>Change Name</source>
        <translation>修改名称</translation>
    </message>
</context>
<context>
    <name>OpcUaSettingsCodec</name>
    <message>
        <source>%1 bytes after the end</source>
        <translation>结尾之后还有%1字节</translation>
    </message>
    <message>
        <source>cut short at byte %1</source>
        <translation>在第%1字节处截断</translation>
    </message>
    <message>
        <source>%1 users cannot fit in the %2 bytes left</source>
        <translation>剩余的%2字节容纳不下%1个用户</translation>
    </message>
    <message>
        <source>the users block declares %1 bytes; it holds %2</source>
        <translation>用户块声明了%1字节，实际有%2字节</translation>
    </message>
</context>
<context>
    <name>OpcUaSourceModel</name>
    <message>
        <source>Variable</source>
        <translation>变量</translation>
    </message>
    <message>
        <source>Program Block</source>
        <translation>程序块</translation>
    </message>
    <message>
        <source>Please drag the elements under the variable into the interface</source>
        <translation>请将变量下的元素拖入接口</translation>
    </message>
    <message>
        <source>Please drag the program block or the elements of the program block into the interface</source>
        <translation>请将程序块或程序块中的元素拖入接口</translation>
    </message>
    <message>
        <source>Element</source>
        <translation>元素</translation>
    </message>
</context>
<context>
    <name>OpcUaVariableTableModel</name>
    <message>
        <source>Address</source>
        <translation>地址</translation>
    </message>
    <message>
        <source>Data Type</source>
        <translation>数据类型</translation>
    </message>
    <message>
        <source>Browse Name</source>
        <translation>浏览名称</translation>
    </message>
</context>
<context>
    <name>PasswordPage</name>
    <message>
        <source>You can modify the password privileges to control access and modification to the PLC.</source>
        <translation>您可以修改密码权限，以控制对PLC的访问和修改。</translation>
    </message>
    <message>
        <source>Privileges</source>
        <translation>权限</translation>
    </message>
    <message>
        <source>Full (Level 1)</source>
        <translation>完全权限（1级）</translation>
    </message>
    <message>
        <source>Partial (Level 2)</source>
        <translation>部分权限（2级）</translation>
    </message>
    <message>
        <source>Minimum (Level 3)</source>
        <translation>最低权限（3级）</translation>
    </message>
    <message>
        <source>Disallow Upload (Level 4)</source>
        <translation>禁止上载（4级）</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Verify</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Full Privileges. All functions are available without restriction. </source>
        <translation>完全权限。所有功能均可使用，不受限制。</translation>
    </message>
    <message>
        <source>Read-Only Privileges. The user is allowed to read/write  PLC data and to upload the program without restriction. A correct password is required to download a program and force memory locations.</source>
        <translation>只读权限。用户可以不受限制地读/写PLC数据和上载程序。下载程序和强制存储器地址需要正确的密码。</translation>
    </message>
    <message>
        <source>Minimum Privileges. The user is allowed to read/write PLC  data without restriction. A correct password is required to upload/download a user program and force memory locations.</source>
        <translation>最低权限。用户可以不受限制地读/写PLC数据。上载/下载用户程序和强制存储器地址需要正确的密码。</translation>
    </message>
    <message>
        <source>Disallow Upload. This option will prevent the program from being upload, even when a correct password is entered. This level of password protection will also disallow execution status and project compare.
A password is required to perform other operation.</source>
        <translation>禁止上载。即使输入正确的密码，也不能上载程序。此级别的密码保护还禁止执行状态监控和项目比较。
执行其他操作需要密码。</translation>
    </message>
    <message>
        <source>The password you enter must be as the same as the confirm password.</source>
        <translation>输入的密码必须与确认密码一致。</translation>
    </message>
</context>
<context>
    <name>PpiPortsPage</name>
    <message>
        <source>You can adjust the PPI ports parameters that Tessel PLC will use to communicate to the attached PLC.</source>
        <translation>您可以调整Tessel PLC与所连接PLC通信时使用的PPI端口参数。</translation>
    </message>
    <message>
        <source>Ports</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>PLC Address:</source>
        <translation>PLC地址：</translation>
    </message>
    <message>
        <source>Highest Address:</source>
        <translation>最高地址：</translation>
    </message>
    <message>
        <source>Baud Rate:</source>
        <translation>波特率：</translation>
    </message>
    <message>
        <source>Retry Count:</source>
        <translation>重试次数：</translation>
    </message>
    <message>
        <source>Gap Update Factor:</source>
        <translation>间隙更新系数：</translation>
    </message>
    <message>
        <source>(range 1..126)</source>
        <translation>（范围1..126）</translation>
    </message>
    <message>
        <source>(range 0..8)</source>
        <translation>（范围0..8）</translation>
    </message>
    <message>
        <source>(range 1..100)</source>
        <translation>（范围1..100）</translation>
    </message>
    <message>
        <source>Port%1</source>
        <translation>端口%1</translation>
    </message>
    <message>
        <source>9.6 kbps</source>
        <translation>9.6 kbps</translation>
    </message>
    <message>
        <source>19.2 kbps</source>
        <translation>19.2 kbps</translation>
    </message>
    <message>
        <source>187.5 kbps</source>
        <translation>187.5 kbps</translation>
    </message>
</context>
<context>
    <name>ProfinetPage</name>
    <message>
        <source>You can configure parameters for the Profinet bus in the CPU.</source>
        <translation>您可以配置CPU中Profinet总线的参数。</translation>
    </message>
    <message>
        <source>Use Profinet Bus</source>
        <translation>使用Profinet总线</translation>
    </message>
    <message>
        <source>Use Custom Name</source>
        <translation>使用自定义名称</translation>
    </message>
    <message>
        <source>Custom Name:</source>
        <translation>自定义名称：</translation>
    </message>
    <message>
        <source>Obtain IP addresses from other sources</source>
        <translation>通过其他方式获取IP地址</translation>
    </message>
    <message>
        <source>The custom name cannot be empty!</source>
        <translation>自定义名称不能为空！</translation>
    </message>
    <message>
        <source>The custom name cannot end with &apos;-&apos;!</source>
        <translation>自定义名称不能以“-”结尾！</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>The module common information is not the same.</source>
        <translation>模块公共信息不一致。</translation>
    </message>
    <message>
        <source>The CPU parameters is not the same.</source>
        <translation>CPU参数不一致。</translation>
    </message>
    <message>
        <source>The CANopen master address Mapping info is not the same.</source>
        <translation>CANopen主站地址映射信息不一致。</translation>
    </message>
    <message>
        <source>The Digital stop output parameters is not the same.</source>
        <translation>数字量停机输出参数不一致。</translation>
    </message>
    <message>
        <source>The Analog input filter parameters is not the same.</source>
        <translation>模拟量输入滤波参数不一致。</translation>
    </message>
    <message>
        <source>The Analog stop output parameters is not the same.</source>
        <translation>模拟量停机输出参数不一致。</translation>
    </message>
    <message>
        <source>The CPU expansion parameters is not the same.</source>
        <translation>CPU扩展参数不一致。</translation>
    </message>
    <message>
        <source>The CANopen master communication parameters is not the same.</source>
        <translation>CANopen主站通信参数不一致。</translation>
    </message>
    <message>
        <source>The Digital input filter parameters is not the same.</source>
        <translation>数字量输入滤波参数不一致。</translation>
    </message>
    <message>
        <source>The HSC parameters is not the same.</source>
        <translation>HSC参数不一致。</translation>
    </message>
    <message>
        <source>The Analog input Range parameters is not the same.</source>
        <translation>模拟量输入量程参数不一致。</translation>
    </message>
    <message>
        <source>The Analog output type parameters is not the same.</source>
        <translation>模拟量输出类型参数不一致。</translation>
    </message>
    <message>
        <source>The EtherCAT parameters is not the same.</source>
        <translation>EtherCAT参数不一致。</translation>
    </message>
    <message>
        <source>The local CAN config parameters is not the same.</source>
        <translation>本机CAN配置参数不一致。</translation>
    </message>
    <message>
        <source>The local digital input filter  parameters is not the same.</source>
        <translation>本机数字量输入滤波参数不一致。</translation>
    </message>
    <message>
        <source>The local HSC parameters is not the same.</source>
        <translation>本机HSC参数不一致。</translation>
    </message>
    <message>
        <source>The OPC UA Server parameters is not the same.</source>
        <translation>OPC UA服务器参数不一致。</translation>
    </message>
    <message>
        <source>The Expansion card parameters is not the same.</source>
        <translation>扩展卡参数不一致。</translation>
    </message>
    <message>
        <source>The PPI port 0 parameters is not the same.</source>
        <translation>PPI端口0参数不一致。</translation>
    </message>
    <message>
        <source>The PPI port 1 parameters is not the same.</source>
        <translation>PPI端口1参数不一致。</translation>
    </message>
    <message>
        <source>The TCP/IP port parameters is not the same.</source>
        <translation>TCP/IP端口参数不一致。</translation>
    </message>
    <message>
        <source>The retentive ranges parameters is not the same.</source>
        <translation>断电数据保持参数不一致。</translation>
    </message>
    <message>
        <source>The password parameters is not the same.</source>
        <translation>密码参数不一致。</translation>
    </message>
    <message>
        <source>The background time port parameters is not the same.</source>
        <translation>背景时间参数不一致。</translation>
    </message>
    <message>
        <source>The SOE configuration is not the same.</source>
        <translation>SOE配置不一致。</translation>
    </message>
    <message>
        <source>The CPU parameters number is not the same.</source>
        <translation>CPU参数数量不一致。</translation>
    </message>
</context>
<context>
    <name>QProcessValwidget</name>
    <message>
        <source>signed</source>
        <translation>有符号</translation>
    </message>
    <message>
        <source>unsigned</source>
        <translation>无符号</translation>
    </message>
    <message>
        <source>float</source>
        <translation>浮点数</translation>
    </message>
    <message>
        <source>--</source>
        <translation>--</translation>
    </message>
    <message>
        <source>VW</source>
        <translation>VW</translation>
    </message>
    <message>
        <source>IW</source>
        <translation>IW</translation>
    </message>
    <message>
        <source>QW</source>
        <translation>QW</translation>
    </message>
    <message>
        <source>MW</source>
        <translation>MW</translation>
    </message>
    <message>
        <source>SW</source>
        <translation>SW</translation>
    </message>
    <message>
        <source>SMW</source>
        <translation>SMW</translation>
    </message>
    <message>
        <source>VD</source>
        <translation>VD</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>QD</source>
        <translation>QD</translation>
    </message>
    <message>
        <source>MD</source>
        <translation>MD</translation>
    </message>
    <message>
        <source>SD</source>
        <translation>SD</translation>
    </message>
    <message>
        <source>SMD</source>
        <translation>SMD</translation>
    </message>
</context>
<context>
    <name>QTriggerValWidget</name>
    <message>
        <source>V</source>
        <translation>V</translation>
    </message>
    <message>
        <source>I</source>
        <translation>I</translation>
    </message>
    <message>
        <source>Q</source>
        <translation>Q</translation>
    </message>
    <message>
        <source>M</source>
        <translation>M</translation>
    </message>
    <message>
        <source>S</source>
        <translation>S</translation>
    </message>
    <message>
        <source>SM</source>
        <translation>SM</translation>
    </message>
    <message>
        <source>DB</source>
        <translation>DB</translation>
    </message>
</context>
<context>
    <name>QbusPage</name>
    <message>
        <source>You can configure parameters for the QBUS bus in the CPU.</source>
        <translation>您可以配置CPU中QBUS总线的参数。</translation>
    </message>
    <message>
        <source>Use QBUS Bus Slave</source>
        <translation>使用QBUS总线从站</translation>
    </message>
    <message>
        <source>Use Custom Name</source>
        <translation>使用自定义名称</translation>
    </message>
    <message>
        <source>Custom Name:</source>
        <translation>自定义名称：</translation>
    </message>
    <message>
        <source>Use QBUS Bus Master</source>
        <translation>使用QBUS总线主站</translation>
    </message>
    <message>
        <source>en....not Items</source>
        <translation>（无可选项）</translation>
    </message>
    <message>
        <source>Protocol Type:</source>
        <translation>协议类型：</translation>
    </message>
    <message>
        <source>The custom name cannot be empty!</source>
        <translation>自定义名称不能为空！</translation>
    </message>
</context>
<context>
    <name>RemoteControlGroup</name>
    <message>
        <source>Enable Remote Control</source>
        <translation>启用远程控制</translation>
    </message>
    <message>
        <source>Device Name:</source>
        <translation>设备名称：</translation>
    </message>
    <message>
        <source>Domain:</source>
        <translation>域名：</translation>
    </message>
    <message>
        <source>Server Port:</source>
        <translation>服务器端口：</translation>
    </message>
    <message>
        <source>Alt Domain:</source>
        <translation>备用域名：</translation>
    </message>
    <message>
        <source>Group Name:</source>
        <translation>组名称：</translation>
    </message>
    <message>
        <source>Claim Password:</source>
        <translation>认领密码：</translation>
    </message>
    <message>
        <source>Verify:</source>
        <translation>确认：</translation>
    </message>
    <message>
        <source>The device name can not be empty.</source>
        <translation>设备名称不能为空。</translation>
    </message>
    <message>
        <source>The password you enter must be as the same as the confirm password.</source>
        <translation>输入的密码必须与确认密码一致。</translation>
    </message>
    <message>
        <source>The server&apos;s port setting has error(range: %1~%2).</source>
        <translation>服务器端口设置错误（范围：%1~%2）。</translation>
    </message>
</context>
<context>
    <name>RetentivePage</name>
    <message>
        <source>VB</source>
        <translation>VB</translation>
    </message>
    <message>
        <source>VW</source>
        <translation>VW</translation>
    </message>
    <message>
        <source>VD</source>
        <translation>VD</translation>
    </message>
    <message>
        <source>MB</source>
        <translation>MB</translation>
    </message>
    <message>
        <source>MW</source>
        <translation>MW</translation>
    </message>
    <message>
        <source>MD</source>
        <translation>MD</translation>
    </message>
    <message>
        <source>T</source>
        <translation>T</translation>
    </message>
    <message>
        <source>C</source>
        <translation>C</translation>
    </message>
    <message>
        <source>You can define memory that will be maintained during a power outage in this page.</source>
        <translation>您可以在此页定义断电时保持数据的存储区。</translation>
    </message>
    <message>
        <source>Ranges</source>
        <translation>范围</translation>
    </message>
    <message>
        <source>Data Area</source>
        <translation>数据区</translation>
    </message>
    <message>
        <source>Offset</source>
        <translation>偏移量</translation>
    </message>
    <message>
        <source>Number of Elements</source>
        <translation>元素数目</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Range %1</source>
        <translation>范围%1</translation>
    </message>
    <message>
        <source>Retentive Range %1 is illegal for the PLC type selected.</source>
        <translation>对所选PLC类型，断电数据保持范围%1无效。</translation>
    </message>
</context>
<context>
    <name>SerialChannelGroup</name>
    <message>
        <source>Enable Channel 0</source>
        <translation>启用通道0</translation>
    </message>
    <message>
        <source>Enable Channel 1</source>
        <translation>启用通道1</translation>
    </message>
    <message>
        <source>Enable Channel 2</source>
        <translation>启用通道2</translation>
    </message>
    <message>
        <source>%1~%2</source>
        <translation>%1~%2</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>1~65535</source>
        <translation>1~65535</translation>
    </message>
    <message>
        <source>Port Number:</source>
        <translation>端口号：</translation>
    </message>
    <message>
        <source>Protocol Type:</source>
        <translation>协议类型：</translation>
    </message>
    <message>
        <source>Baud Rate:</source>
        <translation>波特率：</translation>
    </message>
    <message>
        <source>Data Length:</source>
        <translation>数据位：</translation>
    </message>
    <message>
        <source>Parity:</source>
        <translation>校验：</translation>
    </message>
    <message>
        <source>Stop Bits:</source>
        <translation>停止位：</translation>
    </message>
    <message>
        <source>Response Time:</source>
        <translation>响应时间：</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>地址：</translation>
    </message>
    <message>
        <source>Receive Timeout:</source>
        <translation>接收超时：</translation>
    </message>
</context>
<context>
    <name>SoePage</name>
    <message>
        <source>You can define memory that will be monitor during current changes in this page.</source>
        <translation>您可以在此页定义在数值变化时记录的存储区。</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>全部清除</translation>
    </message>
    <message>
        <source>Rising edge</source>
        <translation>上升沿</translation>
    </message>
    <message>
        <source>Falling edge</source>
        <translation>下降沿</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>事件</translation>
    </message>
    <message>
        <source>Trigger Variable</source>
        <translation>触发变量</translation>
    </message>
    <message>
        <source>Process Variable</source>
        <translation>过程变量</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>标题</translation>
    </message>
    <message>
        <source>The trigger setting has error,%1 does not exist.</source>
        <translation>触发设置错误，%1不存在。</translation>
    </message>
    <message>
        <source>The title of SOE %1 is not allowed be empty.</source>
        <translation>SOE %1的标题不能为空。</translation>
    </message>
</context>
<context>
    <name>TcpIpPage</name>
    <message>
        <source>You can adjust the TCP/IP port parameters that Tessel PLC will use to communicate to the attached PLC.</source>
        <translation>您可以调整Tessel PLC与所连接PLC通信时使用的TCP/IP端口参数。</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>网络</translation>
    </message>
    <message>
        <source>Automatic Assigned IP</source>
        <translation>自动获取IP地址</translation>
    </message>
    <message>
        <source>Automatic Assigned DNS</source>
        <translation>自动获取DNS</translation>
    </message>
    <message>
        <source>   Use the Following IP</source>
        <translation>   使用下面的IP地址</translation>
    </message>
    <message>
        <source>IP:</source>
        <translation>IP：</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>端口：</translation>
    </message>
    <message>
        <source>Mask:</source>
        <translation>子网掩码：</translation>
    </message>
    <message>
        <source>Gateway:</source>
        <translation>网关：</translation>
    </message>
    <message>
        <source>   Use the Following DNS</source>
        <translation>   使用下面的DNS</translation>
    </message>
    <message>
        <source>DNS:</source>
        <translation>DNS：</translation>
    </message>
    <message>
        <source>Alt DNS:</source>
        <translation>备用DNS：</translation>
    </message>
    <message>
        <source>The port setting has error(range: %1~%2).</source>
        <translation>端口设置错误（范围：%1~%2）。</translation>
    </message>
</context>
</TS>
