#include "search/texts.h"

#include "text/codepage.h"
#include "text/text_ops.h"

const WorkflowTexts& workflow_texts() {
    static const WorkflowTexts texts{
        .result_pattern = "<a href=\"(.*?)\">(.*?)</a></li><li>",
        .magnet_start = gbk("BTUP在线观看</a>\r\n<a href=\""),
        .magnet_end = gbk("\">磁力链接</a>"),
        .version_start = gbk("【墨川开始】"),
        .version_end = gbk("【墨川结束】"),
        .address_end = gbk("【墨川地址】"),
        .own_version = "1.5",
        .fetched = gbk("获取完毕"),
        .double_click_hint = gbk("双击表项 立即解析磁力链接"),
        .fetch_failed = gbk("获取失败，请检查网络后重试"),
        .page_label_before = gbk("现正为第（"),
        .page_label_after = gbk("）页"),
        .resolving_two_dots = gbk("开始解析.."),
        .resolving_three_dots = gbk("开始解析..."),
        .resolving_one_dot = gbk("开始解析."),
        .magnet_opened = gbk("解析完毕，已经打开磁力链接"),
        .magnet_not_found = gbk("解析失败，未找到磁力链接"),
        .new_version_message = gbk("已有新版本更新，请到下载地址下载。"),
    };
    return texts;
}

Text page_label(int page) {
    const WorkflowTexts& texts = workflow_texts();
    return texts.page_label_before + from_int(page) + texts.page_label_after;
}
