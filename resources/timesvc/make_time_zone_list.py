#!/usr/bin/env python3
"""Writes "TimeZone.lst", the city list of the world-time window, from the system's IANA time-zone
database (Debian's tzdata, read through Python's zoneinfo).

Usage: make_time_zone_list.py [--year YEAR] [OUTPUT]     (default: this year, TimeZone.lst beside
this script)

Each line: offset|country|second name|city|zone text|position text|DST start|DST end|system zone
in GBK with CR LF line ends. The daylight-saving start and end are "month/day hour:minute" in the
city's local time (the start in standard time, the end in daylight-saving time), and the format
holds them for ONE year only: the year the file is made for, named by the first line
"# year YYYY". The program works the dates out again from the system's rules (the ninth field names
the zone in the Windows time-zone database) when it runs in another year; regenerate the file each
year to keep the shipped dates current. The output depends only on the year and the tzdata version,
so running the script twice gives the same file.
"""

import argparse
import datetime as dt
import os
import sys
from zoneinfo import ZoneInfo

TZDIR = "/usr/share/zoneinfo"

# Windows time-zone keys of the zones with daylight-saving time, for working the dates out again in
# another year.
WINDOWS_ZONES = {
    "America/New_York": "Eastern Standard Time",
    "America/Toronto": "Eastern Standard Time",
    "America/Chicago": "Central Standard Time",
    "America/Winnipeg": "Central Standard Time",
    "America/Denver": "Mountain Standard Time",
    "America/Edmonton": "Mountain Standard Time",
    "America/Los_Angeles": "Pacific Standard Time",
    "America/Vancouver": "Pacific Standard Time",
    "America/Anchorage": "Alaskan Standard Time",
    "America/Halifax": "Atlantic Standard Time",
    "America/St_Johns": "Newfoundland Standard Time",
    "America/Havana": "Cuba Standard Time",
    "America/Santiago": "Pacific SA Standard Time",
    "America/Port-au-Prince": "Haiti Standard Time",
    "Atlantic/Azores": "Azores Standard Time",
    "Europe/London": "GMT Standard Time",
    "Europe/Dublin": "GMT Standard Time",
    "Europe/Lisbon": "GMT Standard Time",
    "Atlantic/Reykjavik": "Greenwich Standard Time",
    "Europe/Paris": "Romance Standard Time",
    "Europe/Brussels": "Romance Standard Time",
    "Europe/Madrid": "Romance Standard Time",
    "Europe/Copenhagen": "Romance Standard Time",
    "Europe/Berlin": "W. Europe Standard Time",
    "Europe/Amsterdam": "W. Europe Standard Time",
    "Europe/Rome": "W. Europe Standard Time",
    "Europe/Vienna": "W. Europe Standard Time",
    "Europe/Stockholm": "W. Europe Standard Time",
    "Europe/Oslo": "W. Europe Standard Time",
    "Europe/Zurich": "W. Europe Standard Time",
    "Europe/Luxembourg": "W. Europe Standard Time",
    "Europe/Monaco": "W. Europe Standard Time",
    "Europe/Prague": "Central Europe Standard Time",
    "Europe/Budapest": "Central Europe Standard Time",
    "Europe/Belgrade": "Central Europe Standard Time",
    "Europe/Bratislava": "Central Europe Standard Time",
    "Europe/Ljubljana": "Central Europe Standard Time",
    "Europe/Warsaw": "Central European Standard Time",
    "Europe/Zagreb": "Central European Standard Time",
    "Europe/Athens": "GTB Standard Time",
    "Europe/Bucharest": "GTB Standard Time",
    "Europe/Helsinki": "FLE Standard Time",
    "Europe/Kyiv": "FLE Standard Time",
    "Europe/Riga": "FLE Standard Time",
    "Europe/Vilnius": "FLE Standard Time",
    "Europe/Tallinn": "FLE Standard Time",
    "Europe/Sofia": "FLE Standard Time",
    "Europe/Chisinau": "E. Europe Standard Time",
    "Asia/Nicosia": "GTB Standard Time",
    "Asia/Beirut": "Middle East Standard Time",
    "Asia/Jerusalem": "Israel Standard Time",
    "Africa/Cairo": "Egypt Standard Time",
    "Australia/Sydney": "AUS Eastern Standard Time",
    "Australia/Melbourne": "AUS Eastern Standard Time",
    "Australia/Hobart": "Tasmania Standard Time",
    "Australia/Adelaide": "Cen. Australia Standard Time",
    "Pacific/Auckland": "New Zealand Standard Time",
}

# Country, city, second name, IANA zone, position (None: the zone's own position from zone.tab),
# name of the zone's time in Chinese (None: only the offset).
CITIES = [
    ("中国", "北京", "Beijing", "Asia/Shanghai", "+3954+11623", "北京时间"),
    ("中国", "上海", "Shanghai", "Asia/Shanghai", None, "北京时间"),
    ("中国", "广州", "Guangzhou", "Asia/Shanghai", "+2308+11316", "北京时间"),
    ("中国", "深圳", "Shenzhen", "Asia/Shanghai", "+2233+11404", "北京时间"),
    ("中国", "乌鲁木齐", "Urumqi", "Asia/Shanghai", "+4348+08735", "北京时间"),
    ("中国", "香港", "Hong Kong", "Asia/Hong_Kong", None, "北京时间"),
    ("中国", "澳门", "Macau", "Asia/Macau", None, "北京时间"),
    ("中国", "台北", "Taipei", "Asia/Taipei", None, "北京时间"),
    ("日本", "东京", "Tokyo", "Asia/Tokyo", None, "日本标准时间"),
    ("日本", "大阪", "Osaka", "Asia/Tokyo", "+3441+13530", "日本标准时间"),
    ("韩国", "首尔", "Seoul", "Asia/Seoul", None, "韩国标准时间"),
    ("韩国", "釜山", "Busan", "Asia/Seoul", "+3510+12904", "韩国标准时间"),
    ("朝鲜", "平壤", "Pyongyang", "Asia/Pyongyang", None, None),
    ("蒙古", "乌兰巴托", "Ulaanbaatar", "Asia/Ulaanbaatar", None, None),
    ("越南", "河内", "Hanoi", "Asia/Bangkok", "+2102+10551", "印度支那时间"),
    ("越南", "胡志明市", "Ho Chi Minh City", "Asia/Ho_Chi_Minh", None, "印度支那时间"),
    ("老挝", "万象", "Vientiane", "Asia/Vientiane", None, "印度支那时间"),
    ("柬埔寨", "金边", "Phnom Penh", "Asia/Phnom_Penh", None, "印度支那时间"),
    ("泰国", "曼谷", "Bangkok", "Asia/Bangkok", None, "印度支那时间"),
    ("缅甸", "仰光", "Yangon", "Asia/Yangon", None, "缅甸时间"),
    ("马来西亚", "吉隆坡", "Kuala Lumpur", "Asia/Kuala_Lumpur", None, None),
    ("新加坡", "新加坡", "Singapore", "Asia/Singapore", None, "新加坡时间"),
    ("印度尼西亚", "雅加达", "Jakarta", "Asia/Jakarta", None, "印尼西部时间"),
    ("印度尼西亚", "巴厘岛", "Bali", "Asia/Makassar", "-0839+11510", "印尼中部时间"),
    ("印度尼西亚", "查亚普拉", "Jayapura", "Asia/Jayapura", None, "印尼东部时间"),
    ("菲律宾", "马尼拉", "Manila", "Asia/Manila", None, "菲律宾时间"),
    ("文莱", "斯里巴加湾市", "Bandar Seri Begawan", "Asia/Brunei", None, None),
    ("东帝汶", "帝力", "Dili", "Asia/Dili", None, None),
    ("印度", "新德里", "New Delhi", "Asia/Kolkata", "+2836+07712", "印度标准时间"),
    ("印度", "孟买", "Mumbai", "Asia/Kolkata", "+1858+07250", "印度标准时间"),
    ("印度", "加尔各答", "Kolkata", "Asia/Kolkata", None, "印度标准时间"),
    ("尼泊尔", "加德满都", "Kathmandu", "Asia/Kathmandu", None, "尼泊尔时间"),
    ("不丹", "廷布", "Thimphu", "Asia/Thimphu", None, None),
    ("孟加拉国", "达卡", "Dhaka", "Asia/Dhaka", None, None),
    ("斯里兰卡", "科伦坡", "Colombo", "Asia/Colombo", None, None),
    ("马尔代夫", "马累", "Male", "Indian/Maldives", None, None),
    ("巴基斯坦", "伊斯兰堡", "Islamabad", "Asia/Karachi", "+3343+07304", "巴基斯坦时间"),
    ("巴基斯坦", "卡拉奇", "Karachi", "Asia/Karachi", None, "巴基斯坦时间"),
    ("阿富汗", "喀布尔", "Kabul", "Asia/Kabul", None, "阿富汗时间"),
    ("伊朗", "德黑兰", "Tehran", "Asia/Tehran", None, "伊朗标准时间"),
    ("哈萨克斯坦", "阿斯塔纳", "Astana", "Asia/Almaty", "+5110+07126", None),
    ("哈萨克斯坦", "阿拉木图", "Almaty", "Asia/Almaty", None, None),
    ("乌兹别克斯坦", "塔什干", "Tashkent", "Asia/Tashkent", None, None),
    ("吉尔吉斯斯坦", "比什凯克", "Bishkek", "Asia/Bishkek", None, None),
    ("塔吉克斯坦", "杜尚别", "Dushanbe", "Asia/Dushanbe", None, None),
    ("土库曼斯坦", "阿什哈巴德", "Ashgabat", "Asia/Ashgabat", None, None),
    ("阿塞拜疆", "巴库", "Baku", "Asia/Baku", None, None),
    ("格鲁吉亚", "第比利斯", "Tbilisi", "Asia/Tbilisi", None, None),
    ("亚美尼亚", "埃里温", "Yerevan", "Asia/Yerevan", None, None),
    ("伊拉克", "巴格达", "Baghdad", "Asia/Baghdad", None, "阿拉伯时间"),
    ("科威特", "科威特城", "Kuwait City", "Asia/Kuwait", None, "阿拉伯时间"),
    ("沙特阿拉伯", "利雅得", "Riyadh", "Asia/Riyadh", None, "阿拉伯时间"),
    ("沙特阿拉伯", "吉达", "Jeddah", "Asia/Riyadh", "+2132+03910", "阿拉伯时间"),
    ("卡塔尔", "多哈", "Doha", "Asia/Qatar", None, "阿拉伯时间"),
    ("巴林", "麦纳麦", "Manama", "Asia/Bahrain", None, "阿拉伯时间"),
    ("阿联酋", "迪拜", "Dubai", "Asia/Dubai", None, "海湾标准时间"),
    ("阿联酋", "阿布扎比", "Abu Dhabi", "Asia/Dubai", "+2428+05422", "海湾标准时间"),
    ("阿曼", "马斯喀特", "Muscat", "Asia/Muscat", None, "海湾标准时间"),
    ("也门", "萨那", "Sanaa", "Asia/Aden", "+1521+04412", "阿拉伯时间"),
    ("约旦", "安曼", "Amman", "Asia/Amman", None, None),
    ("叙利亚", "大马士革", "Damascus", "Asia/Damascus", None, None),
    ("黎巴嫩", "贝鲁特", "Beirut", "Asia/Beirut", None, "东欧时间"),
    ("以色列", "耶路撒冷", "Jerusalem", "Asia/Jerusalem", None, "以色列时间"),
    ("以色列", "特拉维夫", "Tel Aviv", "Asia/Jerusalem", "+3205+03447", "以色列时间"),
    ("塞浦路斯", "尼科西亚", "Nicosia", "Asia/Nicosia", None, "东欧时间"),
    ("土耳其", "伊斯坦布尔", "Istanbul", "Europe/Istanbul", None, "土耳其时间"),
    ("土耳其", "安卡拉", "Ankara", "Europe/Istanbul", "+3956+03252", "土耳其时间"),
    ("俄罗斯", "莫斯科", "Moscow", "Europe/Moscow", None, "莫斯科时间"),
    ("俄罗斯", "圣彼得堡", "Saint Petersburg", "Europe/Moscow", "+5956+03019", "莫斯科时间"),
    ("俄罗斯", "叶卡捷琳堡", "Yekaterinburg", "Asia/Yekaterinburg", None, None),
    ("俄罗斯", "新西伯利亚", "Novosibirsk", "Asia/Novosibirsk", None, None),
    ("俄罗斯", "伊尔库茨克", "Irkutsk", "Asia/Irkutsk", None, None),
    ("俄罗斯", "符拉迪沃斯托克", "Vladivostok", "Asia/Vladivostok", None, None),
    ("英国", "伦敦", "London", "Europe/London", None, "格林尼治标准时间"),
    ("英国", "曼彻斯特", "Manchester", "Europe/London", "+5329-00215", "格林尼治标准时间"),
    ("英国", "爱丁堡", "Edinburgh", "Europe/London", "+5557-00311", "格林尼治标准时间"),
    ("爱尔兰", "都柏林", "Dublin", "Europe/Dublin", None, "格林尼治标准时间"),
    ("冰岛", "雷克雅未克", "Reykjavik", "Atlantic/Reykjavik", None, "格林尼治标准时间"),
    ("葡萄牙", "里斯本", "Lisbon", "Europe/Lisbon", None, "西欧时间"),
    ("葡萄牙", "亚速尔群岛", "Azores", "Atlantic/Azores", None, None),
    ("西班牙", "马德里", "Madrid", "Europe/Madrid", None, "中欧时间"),
    ("西班牙", "巴塞罗那", "Barcelona", "Europe/Madrid", "+4123+00210", "中欧时间"),
    ("法国", "巴黎", "Paris", "Europe/Paris", None, "中欧时间"),
    ("法国", "马赛", "Marseille", "Europe/Paris", "+4318+00522", "中欧时间"),
    ("比利时", "布鲁塞尔", "Brussels", "Europe/Brussels", None, "中欧时间"),
    ("荷兰", "阿姆斯特丹", "Amsterdam", "Europe/Amsterdam", None, "中欧时间"),
    ("卢森堡", "卢森堡", "Luxembourg", "Europe/Luxembourg", None, "中欧时间"),
    ("德国", "柏林", "Berlin", "Europe/Berlin", None, "中欧时间"),
    ("德国", "法兰克福", "Frankfurt", "Europe/Berlin", "+5007+00841", "中欧时间"),
    ("德国", "慕尼黑", "Munich", "Europe/Berlin", "+4808+01135", "中欧时间"),
    ("德国", "汉堡", "Hamburg", "Europe/Berlin", "+5333+01000", "中欧时间"),
    ("瑞士", "苏黎世", "Zurich", "Europe/Zurich", None, "中欧时间"),
    ("瑞士", "日内瓦", "Geneva", "Europe/Zurich", "+4612+00609", "中欧时间"),
    ("意大利", "罗马", "Rome", "Europe/Rome", None, "中欧时间"),
    ("意大利", "米兰", "Milan", "Europe/Rome", "+4528+00911", "中欧时间"),
    ("摩纳哥", "摩纳哥", "Monaco", "Europe/Monaco", None, "中欧时间"),
    ("奥地利", "维也纳", "Vienna", "Europe/Vienna", None, "中欧时间"),
    ("丹麦", "哥本哈根", "Copenhagen", "Europe/Copenhagen", None, "中欧时间"),
    ("挪威", "奥斯陆", "Oslo", "Europe/Oslo", None, "中欧时间"),
    ("瑞典", "斯德哥尔摩", "Stockholm", "Europe/Stockholm", None, "中欧时间"),
    ("芬兰", "赫尔辛基", "Helsinki", "Europe/Helsinki", None, "东欧时间"),
    ("爱沙尼亚", "塔林", "Tallinn", "Europe/Tallinn", None, "东欧时间"),
    ("拉脱维亚", "里加", "Riga", "Europe/Riga", None, "东欧时间"),
    ("立陶宛", "维尔纽斯", "Vilnius", "Europe/Vilnius", None, "东欧时间"),
    ("波兰", "华沙", "Warsaw", "Europe/Warsaw", None, "中欧时间"),
    ("捷克", "布拉格", "Prague", "Europe/Prague", None, "中欧时间"),
    ("斯洛伐克", "布拉迪斯拉发", "Bratislava", "Europe/Bratislava", None, "中欧时间"),
    ("匈牙利", "布达佩斯", "Budapest", "Europe/Budapest", None, "中欧时间"),
    ("斯洛文尼亚", "卢布尔雅那", "Ljubljana", "Europe/Ljubljana", None, "中欧时间"),
    ("克罗地亚", "萨格勒布", "Zagreb", "Europe/Zagreb", None, "中欧时间"),
    ("塞尔维亚", "贝尔格莱德", "Belgrade", "Europe/Belgrade", None, "中欧时间"),
    ("罗马尼亚", "布加勒斯特", "Bucharest", "Europe/Bucharest", None, "东欧时间"),
    ("保加利亚", "索非亚", "Sofia", "Europe/Sofia", None, "东欧时间"),
    ("希腊", "雅典", "Athens", "Europe/Athens", None, "东欧时间"),
    ("乌克兰", "基辅", "Kyiv", "Europe/Kyiv", None, "东欧时间"),
    ("摩尔多瓦", "基希讷乌", "Chisinau", "Europe/Chisinau", None, "东欧时间"),
    ("白俄罗斯", "明斯克", "Minsk", "Europe/Minsk", None, None),
    ("埃及", "开罗", "Cairo", "Africa/Cairo", None, "东欧时间"),
    ("利比亚", "的黎波里", "Tripoli", "Africa/Tripoli", None, None),
    ("突尼斯", "突尼斯", "Tunis", "Africa/Tunis", None, None),
    ("阿尔及利亚", "阿尔及尔", "Algiers", "Africa/Algiers", None, None),
    ("苏丹", "喀土穆", "Khartoum", "Africa/Khartoum", None, None),
    ("埃塞俄比亚", "亚的斯亚贝巴", "Addis Ababa", "Africa/Addis_Ababa", None, "东非时间"),
    ("肯尼亚", "内罗毕", "Nairobi", "Africa/Nairobi", None, "东非时间"),
    ("坦桑尼亚", "达累斯萨拉姆", "Dar es Salaam", "Africa/Dar_es_Salaam", None, "东非时间"),
    ("乌干达", "坎帕拉", "Kampala", "Africa/Kampala", None, "东非时间"),
    ("尼日利亚", "拉各斯", "Lagos", "Africa/Lagos", None, "西非时间"),
    ("加纳", "阿克拉", "Accra", "Africa/Accra", None, "格林尼治标准时间"),
    ("塞内加尔", "达喀尔", "Dakar", "Africa/Dakar", None, "格林尼治标准时间"),
    ("科特迪瓦", "阿比让", "Abidjan", "Africa/Abidjan", None, "格林尼治标准时间"),
    ("刚果(金)", "金沙萨", "Kinshasa", "Africa/Kinshasa", None, "西非时间"),
    ("安哥拉", "罗安达", "Luanda", "Africa/Luanda", None, "西非时间"),
    ("赞比亚", "卢萨卡", "Lusaka", "Africa/Lusaka", None, "中非时间"),
    ("津巴布韦", "哈拉雷", "Harare", "Africa/Harare", None, "中非时间"),
    ("莫桑比克", "马普托", "Maputo", "Africa/Maputo", None, "中非时间"),
    ("南非", "约翰内斯堡", "Johannesburg", "Africa/Johannesburg", None, "南非标准时间"),
    ("南非", "开普敦", "Cape Town", "Africa/Johannesburg", "-3355+01825", "南非标准时间"),
    ("马达加斯加", "塔那那利佛", "Antananarivo", "Indian/Antananarivo", None, "东非时间"),
    ("毛里求斯", "路易港", "Port Louis", "Indian/Mauritius", None, None),
    ("美国", "华盛顿", "Washington", "America/New_York", "+3854-07702", "美国东部时间"),
    ("美国", "纽约", "New York", "America/New_York", None, "美国东部时间"),
    ("美国", "波士顿", "Boston", "America/New_York", "+4221-07104", "美国东部时间"),
    ("美国", "迈阿密", "Miami", "America/New_York", "+2546-08012", "美国东部时间"),
    ("美国", "芝加哥", "Chicago", "America/Chicago", None, "美国中部时间"),
    ("美国", "休斯顿", "Houston", "America/Chicago", "+2946-09522", "美国中部时间"),
    ("美国", "丹佛", "Denver", "America/Denver", None, "美国山地时间"),
    ("美国", "凤凰城", "Phoenix", "America/Phoenix", None, "美国山地时间"),
    ("美国", "洛杉矶", "Los Angeles", "America/Los_Angeles", None, "美国太平洋时间"),
    ("美国", "旧金山", "San Francisco", "America/Los_Angeles", "+3747-12225", "美国太平洋时间"),
    ("美国", "西雅图", "Seattle", "America/Los_Angeles", "+4736-12220", "美国太平洋时间"),
    ("美国", "安克雷奇", "Anchorage", "America/Anchorage", None, "阿拉斯加时间"),
    ("美国", "檀香山", "Honolulu", "Pacific/Honolulu", None, "夏威夷时间"),
    ("加拿大", "渥太华", "Ottawa", "America/Toronto", "+4525-07542", "东部时间"),
    ("加拿大", "多伦多", "Toronto", "America/Toronto", None, "东部时间"),
    ("加拿大", "蒙特利尔", "Montreal", "America/Toronto", "+4530-07334", "东部时间"),
    ("加拿大", "温尼伯", "Winnipeg", "America/Winnipeg", None, "中部时间"),
    ("加拿大", "埃德蒙顿", "Edmonton", "America/Edmonton", None, "山地时间"),
    ("加拿大", "温哥华", "Vancouver", "America/Vancouver", None, "太平洋时间"),
    ("加拿大", "哈利法克斯", "Halifax", "America/Halifax", None, "大西洋时间"),
    ("加拿大", "圣约翰斯", "St. John's", "America/St_Johns", None, "纽芬兰时间"),
    ("墨西哥", "墨西哥城", "Mexico City", "America/Mexico_City", None, "中部时间"),
    ("墨西哥", "坎昆", "Cancun", "America/Cancun", None, "东部时间"),
    ("危地马拉", "危地马拉城", "Guatemala City", "America/Guatemala", None, None),
    ("哥斯达黎加", "圣何塞", "San Jose", "America/Costa_Rica", None, None),
    ("巴拿马", "巴拿马城", "Panama City", "America/Panama", None, None),
    ("古巴", "哈瓦那", "Havana", "America/Havana", None, "古巴时间"),
    ("牙买加", "金斯敦", "Kingston", "America/Jamaica", None, None),
    ("海地", "太子港", "Port-au-Prince", "America/Port-au-Prince", None, None),
    ("多米尼加", "圣多明各", "Santo Domingo", "America/Santo_Domingo", None, "大西洋时间"),
    ("哥伦比亚", "波哥大", "Bogota", "America/Bogota", None, None),
    ("委内瑞拉", "加拉加斯", "Caracas", "America/Caracas", None, None),
    ("厄瓜多尔", "基多", "Quito", "America/Guayaquil", "-0013-07831", None),
    ("秘鲁", "利马", "Lima", "America/Lima", None, None),
    ("玻利维亚", "拉巴斯", "La Paz", "America/La_Paz", None, None),
    ("巴西", "巴西利亚", "Brasilia", "America/Sao_Paulo", "-1547-04752", "巴西利亚时间"),
    ("巴西", "圣保罗", "Sao Paulo", "America/Sao_Paulo", None, "巴西利亚时间"),
    ("巴西", "里约热内卢", "Rio de Janeiro", "America/Sao_Paulo", "-2254-04312", "巴西利亚时间"),
    ("巴西", "马瑙斯", "Manaus", "America/Manaus", None, "亚马孙时间"),
    ("巴拉圭", "亚松森", "Asuncion", "America/Asuncion", None, None),
    ("乌拉圭", "蒙得维的亚", "Montevideo", "America/Montevideo", None, None),
    ("阿根廷", "布宜诺斯艾利斯", "Buenos Aires", "America/Argentina/Buenos_Aires", None, "阿根廷时间"),
    ("智利", "圣地亚哥", "Santiago", "America/Santiago", None, "智利时间"),
    ("澳大利亚", "堪培拉", "Canberra", "Australia/Sydney", "-3517+14908", "澳大利亚东部时间"),
    ("澳大利亚", "悉尼", "Sydney", "Australia/Sydney", None, "澳大利亚东部时间"),
    ("澳大利亚", "墨尔本", "Melbourne", "Australia/Melbourne", None, "澳大利亚东部时间"),
    ("澳大利亚", "布里斯班", "Brisbane", "Australia/Brisbane", None, "澳大利亚东部时间"),
    ("澳大利亚", "霍巴特", "Hobart", "Australia/Hobart", None, "澳大利亚东部时间"),
    ("澳大利亚", "阿德莱德", "Adelaide", "Australia/Adelaide", None, "澳大利亚中部时间"),
    ("澳大利亚", "达尔文", "Darwin", "Australia/Darwin", None, "澳大利亚中部时间"),
    ("澳大利亚", "珀斯", "Perth", "Australia/Perth", None, "澳大利亚西部时间"),
    ("新西兰", "惠灵顿", "Wellington", "Pacific/Auckland", "-4117+17447", "新西兰时间"),
    ("新西兰", "奥克兰", "Auckland", "Pacific/Auckland", None, "新西兰时间"),
    ("巴布亚新几内亚", "莫尔兹比港", "Port Moresby", "Pacific/Port_Moresby", None, None),
    ("斐济", "苏瓦", "Suva", "Pacific/Fiji", None, None),
    ("萨摩亚", "阿皮亚", "Apia", "Pacific/Apia", None, None),
    ("汤加", "努库阿洛法", "Nuku'alofa", "Pacific/Tongatapu", None, None),
    ("基里巴斯", "圣诞岛", "Kiritimati", "Pacific/Kiritimati", None, None),
    ("法属波利尼西亚", "帕皮提", "Papeete", "Pacific/Tahiti", None, None),
]


def zone_positions():
    positions = {}
    with open(os.path.join(TZDIR, "zone.tab"), encoding="utf-8") as tab:
        for line in tab:
            if line.startswith("#"):
                continue
            fields = line.rstrip("\n").split("\t")
            positions.setdefault(fields[2], fields[1])
    return positions


def split_position(text):
    """'+3954+11623' or '+404251-0740023' into (latitude, longitude) as (sign, degrees, minutes)."""
    for lat_len in (5, 7):
        lat, lon = text[:lat_len], text[lat_len:]
        if len(lon) == lat_len + 1:
            return (lat[0], int(lat[1:3]), int(lat[3:5])), (lon[0], int(lon[1:4]), int(lon[4:6]))
    raise ValueError(text)


def position_text(text):
    (lat_sign, lat_deg, lat_min), (lon_sign, lon_deg, lon_min) = split_position(text)
    north = "北纬" if lat_sign == "+" else "南纬"
    east = "东经" if lon_sign == "+" else "西经"
    return f"{north}{lat_deg}°{lat_min:02d}′ {east}{lon_deg}°{lon_min:02d}′"


def offset_text(hours):
    sign = "+" if hours >= 0 else "-"
    minutes = round(abs(hours) * 60)
    return f"UTC{sign}{minutes // 60:02d}:{minutes % 60:02d}"


def offset_hours(delta):
    return delta.total_seconds() / 3600


def transitions(zone, year):
    """The instants (UTC) within the year at which the zone's offset changes, to the minute."""
    utc = dt.timezone.utc
    start = dt.datetime(year, 1, 1, tzinfo=utc) - dt.timedelta(hours=14)
    end = dt.datetime(year + 1, 1, 1, tzinfo=utc) + dt.timedelta(hours=14)
    found = []
    step = dt.timedelta(hours=1)
    t = start
    previous = t.astimezone(zone).utcoffset()
    while t < end:
        nxt = t + step
        offset = nxt.astimezone(zone).utcoffset()
        if offset != previous:
            low, high = t, nxt
            while high - low > dt.timedelta(minutes=1):
                mid = low + (high - low) / 2
                mid = mid.replace(second=0, microsecond=0)
                if mid <= low:
                    break
                if mid.astimezone(zone).utcoffset() == previous:
                    low = mid
                else:
                    high = mid
            found.append((high, previous, offset))
            previous = offset
        t = nxt
    return found


def rule_text(local):
    return f"{local.month}/{local.day} {local.hour}:{local.minute:02d}"


def city_line(country, city, alt, zone_name, position, zone_cn, positions, year):
    zone = ZoneInfo(zone_name)
    changes = [c for c in transitions(zone, year)
               if dt.datetime(year, 1, 1, tzinfo=dt.timezone.utc) <= c[0] + c[2] < dt.datetime(year + 1, 1, 1, tzinfo=dt.timezone.utc)]
    mid_year = dt.datetime(year, 7, 1, tzinfo=dt.timezone.utc).astimezone(zone).utcoffset()
    new_year = dt.datetime(year, 1, 1, tzinfo=dt.timezone.utc).astimezone(zone).utcoffset()
    standard = min(mid_year, new_year)
    start = end = ""
    daylight = None
    if len(changes) == 2:
        ups = [c for c in changes if c[2] > c[1]]
        downs = [c for c in changes if c[2] < c[1]]
        if len(ups) == 1 and len(downs) == 1 and ups[0][2] - ups[0][1] == dt.timedelta(hours=1):
            up, down = ups[0], downs[0]
            standard = up[1]
            daylight = up[2]
            start = rule_text((up[0] + up[1]).replace(tzinfo=None))  # wall time in standard time
            end = rule_text((down[0] + down[1]).replace(tzinfo=None))  # wall time in daylight time
    elif changes:
        standard = changes[-1][2]  # a lasting change of offset within the year
    hours = offset_hours(standard)
    offset_field = f"{hours:g}"
    # The daylight-saving offset is one hour more, as the window's own lines say.
    zone_text = offset_text(hours)
    if zone_cn:
        zone_text = f"{zone_cn} {zone_text}"
    place = position_text(position or positions[zone_name])
    windows_zone = WINDOWS_ZONES.get(zone_name, "") if daylight is not None else ""
    fields = [offset_field, country, alt, city, zone_text, place, start, end, windows_zone]
    for field in fields:
        if "|" in field:
            raise ValueError(field)
    return "|".join(fields).rstrip("|")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--year", type=int, default=dt.date.today().year)
    parser.add_argument("output", nargs="?",
                        default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "TimeZone.lst"))
    args = parser.parse_args()
    positions = zone_positions()
    lines = [f"# year {args.year}: daylight-saving dates of this year only, made from the IANA time-zone database"]
    seen = set()
    for entry in CITIES:
        if (entry[0], entry[1]) in seen:
            raise ValueError(f"city twice: {entry[1]}")
        seen.add((entry[0], entry[1]))
        lines.append(city_line(*entry, positions, args.year))
    data = "".join(line + "\r\n" for line in lines).encode("gbk")
    with open(args.output, "wb") as out:
        out.write(data)
    print(f"{args.output}: {len(CITIES)} cities for {args.year}", file=sys.stderr)


if __name__ == "__main__":
    main()
