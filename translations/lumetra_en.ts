<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>Form1</name>
    <message>
        <source>序号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入下列二个参数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>测点个数(2-10)---</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>测点个数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C(x)单位(选择)---</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度单位</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>测点个数及浓度单位输入完毕</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lumetra结果：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>相关系数r--</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>相关系数r</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>线性范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C(最高)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A(最高)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>样品浓度计算</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>样品吸光度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>样品浓度C为:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>样品浓度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>计算</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>计算样品浓度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>清零</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>清零样品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>小数点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>退格</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>计算标准曲线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>清零数据表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>退出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>返回封面</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>我的野蛮女友，漂亮不漂亮</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>运行程序</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>退出程序</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>app::AnalysisAccess</name>
    <message>
        <source>标准曲线分析 (F2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>双击打开标准曲线分析 (F2)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>app::CalibrationFiles</name>
    <message>
        <source>Lumetra 标准曲线文件 (*.lumetra);;所有文件 (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法保存%1：无法创建文件夹 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>另存为…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工作表或样品列表中已有数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工作表中已有数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1，将被%2替换。是否继续？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开标准曲线文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法打开：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1”的内容</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有上次的数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法恢复上次的数据：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上次的数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导入标准点CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv);;文本文件 (*.txt *.tsv);;所有文件 (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法导入：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1”中的标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准曲线.lumetra</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存标准曲线文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法保存：没有可保存的数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存失败：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准曲线数据有未保存的修改。是否保存？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>备份</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法保存备份：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法保存上次的数据：%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>app::LanguageMenu</name>
    <message>
        <source>语言 / Language</source>
        <extracomment>Kept in both languages, so that whoever cannot read the interface still finds it.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>界面语言将在下次启动时切换为中文。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>界面语言将在下次启动时切换为English。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>calibration</name>
    <message>
        <source>取样量 %1 必须大于0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺少所指的样品名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>找不到样品 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>样品名称 %1 不唯一</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>空白 %1 浓度 %2 不低于检出限 %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>所指样品没有结果</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>两个结果之和不大于0，相对偏差无意义</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>平行样 %1 相对偏差 %2%，要求≤%3%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>加标量不能为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>加标回收率 %1%，要求%2–%3%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标称浓度不能为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校准核查相对误差 %1%，要求±%2%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>质控样 %1 |结果−标准值| %2，要求≤U %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>质控：没有质控项</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>质控：%1项全部通过</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>质控：%1项通过，%2项未通过（%3）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>类型 %1 无法识别</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>至少需要2个空白</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>至少需要7个空白或检出限样</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校准曲线 r = %1，要求r ≥ %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度为空</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 %1 不是数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 %1 超出数值范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度为空</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 %1 不是数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 %1 超出数值范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>读数为空</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>读数 %1 不是数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>读数 %1 超出数值范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>稀释倍数为空</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>稀释倍数 %1 不是数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>稀释倍数 %1 超出数值范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺少加标量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>加标量 %1 不是数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>加标量 %1 超出数值范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺少标称浓度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标称浓度 %1 不是数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标称浓度 %1 超出数值范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺少标准值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准值 %1 不是数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准值 %1 超出数值范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺少不确定度U</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不确定度U %1 不是数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不确定度U %1 超出数值范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取样量为空</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取样量 %1 不是数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取样量 %1 超出数值范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>换算系数为空</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>换算系数 %1 不是数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>换算系数 %1 超出数值范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>样品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>空白</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>平行样</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>加标样</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校准核查</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>质控样</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>检出限样</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有读数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>读数有%1个，最多%2个</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>稀释倍数 %1 必须大于0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准点超过%1个，主窗口不显示此曲线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>只有%1个标准点，主窗口至少需要%2个</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 %1 超过%2个字符，主窗口不显示此曲线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 %1 超过%2个字符，主窗口不显示此曲线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第%1个标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第%1个样品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>主窗口的拟合</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>命令行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>读数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>稀释倍数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>所指样品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>加标量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标称浓度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不确定度U</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>单位</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>模型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>权重</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>置信水平</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>报告检出限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>空白校正</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取样量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取样量单位</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>结果单位</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>换算系数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>修约</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>位数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>低于检出限时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>r 下限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>平行样相对偏差上限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>加标回收率下限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>加标回收率上限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校准核查相对误差上限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>实验室</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>项目/批号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>方法</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>分析项目</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>仪器</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>仪器编号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>波长</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>比色皿光程</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>分析日期</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>分析人</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校核人</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>审核人</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>记录从此开始</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开文件 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存到文件 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准点由%1替换为%2个</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第%1个标准点的%2由 %3 改为 %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>在第%1个位置插入%2个标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除标准点 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>排除第%1个标准点，原因：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消排除第%1个标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1由 %2 改为 %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>由%1添加%2个样品（自第%3行）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第%1个样品的%2由 %3 改为 %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除%1个样品：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>清空样品列表（%1个样品）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>报告信息的%1由 %2 改为 %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>直线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>过原点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>二次</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1模型至少需要%2个未排除的标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度全部相同，无法拟合直线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度全部为0，无法拟合过原点的直线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>二次模型至少需要3个不同的浓度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>权重%1要求浓度不为0：第%2个标准点为0，请排除该点或选择其他权重</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>权重%1要求浓度为正：第%2个标准点为负，请排除该点或选择其他权重</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>权重%1要求吸光度不为0：第%2个标准点为0，请排除该点或选择其他权重</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>权重%1要求吸光度为正：第%2个标准点为负，请排除该点或选择其他权重</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>权重1/s²要求每个浓度至少有2个标准点：第%1个标准点的浓度只有它一个，请排除该点或选择其他权重</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>权重1/s²无法使用：第%1个标准点所在浓度的吸光度全部相同</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>过原点模型没有截距</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>只有二次模型有二次项</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度全部相同</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LOD和LOQ只用于不加权的直线模型；请用验证中空白或检出限样的检出限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>只用于直线模型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>至少需要4个未排除的标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法拟合不加权的直线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>二次拟合的剩余方差为0：各点恰好在一条曲线上</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法拟合二次曲线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有重复测定的浓度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>至少需要3个不同的浓度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>各浓度的重复读数全部相同，且直线恰好通过各浓度的均值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法计算</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>剩余标准差为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>斜率为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>权重%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第%1点：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，排除%1点（%2）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>尚未计算标准曲线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数值超出可计算的范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>至少需要%1个标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>空白校正无法使用：没有浓度为0的标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>斜率为0，无法由吸光度计算浓度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无实数解</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>曲线在此处斜率为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>此处无法取权重（浓度或吸光度不为正）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>方程无正根：残差相对于浓度范围太大</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>io</name>
    <message>
        <source>真假值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>对象</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>空</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺少此项</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>应为%1，不是%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第%1行第%2列</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数值 %1 无效，JSON中不能有NaN或Infinity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数值 %1 超出范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数值无效</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>对象没有结束（缺少 } 或逗号）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺少冒号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>列表没有结束（缺少 ] 或逗号）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺少逗号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不是有效的JSON值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件在数字之后意外结束</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>转义序列无效</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不是有效的UTF-8文字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文字没有结束（缺少引号）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>此处应为带引号的键名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>嵌套太深</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JSON内容太多</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JSON对象之后还有多余内容</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不是有效的JSON</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文字中有未转义的控制字符 \u</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>转义序列 \u 之后应为4位十六进制数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>转义序列 \%1 无效</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <extracomment>A text and, in brackets, what it comes from: 磁盘已满（No space left on device）, standards[0].C（第3行第5列）</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数值 %1 无效，应为%2到%3之间的%4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>整数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>、</source>
        <extracomment>Between the allowed values of a field: line、origin、quadratic</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>应为%1之一，不是 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺少此项，不是Lumetra校准文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>应为 &quot;%1&quot;，不是 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>版本号 %1 无效</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>版本%1较新，本程序只能读版本%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>应为95或99</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件是空的</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件内容不是JSON对象，不是Lumetra校准文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第%1行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>引号没有闭合</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>含有控制字符 \u</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>有%1列，应为浓度、吸光度两列</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有数据行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>有%1列，表头只有%2列</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>有%1列，最多%2列（名称、读数、稀释倍数、类型、所指样品、加标量、标称浓度、标准值、不确定度U）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件是UTF-16编码，请另存为UTF-8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件是UTF-32编码，请另存为UTF-8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件含有二进制数据，不是文本文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件编码无法识别（应为UTF-8或GB18030）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>：</source>
        <extracomment>Joins a message&apos;s file, place and reason: a.csv：第3行：没有数据行</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>原因不明</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>这是文件夹，不是文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不是普通文件（命名管道）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不是普通文件（字符设备）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不是普通文件（块设备）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不是普通文件（套接字）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不是普通文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>符号链接指向的文件不存在</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有进入所在文件夹的权限（%1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件太大（上限%1 MiB）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件太大（上限%1字节）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>符号链接循环</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>权限被拒绝</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不允许此操作</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>路径中有一项不是文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件名太长</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>这是文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁盘已满</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>超出磁盘配额</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>超出文件大小的限制</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>只读文件系统</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输入输出错误</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件描述符无效或不可写入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>管道的读取端已关闭</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开的文件太多</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>内存不足</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设备不存在</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件正在被执行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有读取权限（%1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>读取出错：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>所在的文件夹不存在</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法创建文件（%1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>写入失败（%1）</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ui::MessageBoxAlerts</name>
    <message>
        <source>保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>worksheet</name>
    <message>
        <source>输入数据不在范围之内,请重新输入!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不能连输二个0,请重新输入!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不能输入二个小数点,请重新输入!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据输入没有完成,请检查数据输入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据输入有误,请检查数据输入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法拟合标准曲线,请检查数据输入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 对不起,超出了曲线的线性范围!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有可用的标准曲线!</source>
        <translation>No calibration curve is available!</translation>
    </message>
    <message>
        <source>样品吸光度输入有误,请重新输入!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>线性范围无效,请重新计算标准曲线!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
