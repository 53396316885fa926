<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
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
</TS>
