#!/usr/bin/env python3
"""Writes res/sample.wl, the sample word list, from the texts below (UTF-8 here, code page 932
in the file, CR LF line ends), escaping fields the way the program's writer does."""
import os

# A genre: (name, [questions], [child genre names]). A question: (text, required, answers,
# explanation or None); required -1 makes a choice question whose first answer is right.
GENRES = [
    ("総合問題", [], ["日本の地理", "四字熟語", "英単語"]),
    ("日本の地理", [
        ("日本で一番高い山は?", 1, ["富士山", "ふじさん"],
         "標高は3776メートル。\n静岡県と山梨県にまたがっている。"),
        ("日本で一番長い川は?", 1, ["信濃川", "しなのがわ"], "長さは367キロメートル。"),
        ("日本で一番大きい湖は?", 1, ["琵琶湖", "びわこ"], "滋賀県にある。"),
        ("日本の首都は?", 1, ["東京", "東京都"], None),
        ("日本の最南端の島は?", 1, ["沖ノ鳥島", "おきのとりしま"], "東京都に属する。"),
        ("本州の次に大きい島は?", 1, ["北海道"], None),
        ("四国にある県を2つ答えなさい。", 2, ["徳島県", "香川県", "愛媛県", "高知県"], None),
        ("日本三景を3つ答えなさい。", 3, ["松島", "天橋立", "宮島"],
         "松島は宮城県、天橋立は京都府、宮島は広島県にある。\n宮島は厳島とも呼ばれる。"),
        ("三大都市圏の中心となる都市を3つ答えなさい。", 3, ["東京", "大阪", "名古屋"], None),
        ("日本で一番面積が大きい都道府県は?", -1, ["北海道", "岩手県", "長野県", "新潟県"],
         "2番目は岩手県。"),
        ("日本で一番面積が小さい都道府県は?", -1, ["香川県", "大阪府", "東京都"], None),
        ("日本で一番人口が多い都道府県は?", -1, ["東京都", "神奈川県", "大阪府", "愛知県", "埼玉県"], None),
        ("日本アルプスに含まれない山脈は?", -1, ["奥羽山脈", "飛騨山脈", "木曽山脈", "赤石山脈"],
         "日本アルプスは飛騨山脈(北アルプス)、木曽山脈(中央アルプス)、\n赤石山脈(南アルプス)の3つ。"),
        ("東北地方で一番人口が多い都市は?", 1, ["仙台市", "仙台"], None),
    ], ["県庁所在地"]),
    ("県庁所在地", [
        ("北海道の道庁所在地は?", 1, ["札幌市", "札幌"], None),
        ("沖縄県の県庁所在地は?", 1, ["那覇市", "那覇"], None),
        ("群馬県の県庁所在地は?", 1, ["前橋市", "前橋"], None),
        ("愛知県の県庁所在地は?", 1, ["名古屋市", "名古屋"], None),
        ("兵庫県の県庁所在地は?", 1, ["神戸市", "神戸"], None),
        ("石川県の県庁所在地は?", 1, ["金沢市", "金沢"], None),
        ("島根県の県庁所在地は?", 1, ["松江市", "松江"], None),
        ("香川県の県庁所在地は?", 1, ["高松市", "高松"], None),
        ("茨城県の県庁所在地は?", 1, ["水戸市", "水戸"], None),
        ("栃木県の県庁所在地は?", 1, ["宇都宮市", "宇都宮"], "餃子の町として知られる。"),
    ], []),
    ("四字熟語", [
        ("「いっせきにちょう」を漢字で書きなさい。", 1, ["一石二鳥"], "一つの行いで二つの利益を得ること。"),
        ("「いちごいちえ」を漢字で書きなさい。", 1, ["一期一会"],
         "一生に一度だけの機会。\n茶道の心得から出た言葉。"),
        ("「じごうじとく」を漢字で書きなさい。", 1, ["自業自得"], None),
        ("「いしんでんしん」を漢字で書きなさい。", 1, ["以心伝心"], None),
        ("「ゆだんたいてき」を漢字で書きなさい。", 1, ["油断大敵"], None),
        ("「ばじとうふう」を漢字で書きなさい。", 1, ["馬耳東風"], "人の意見を聞き流すこと。"),
        ("「ぜったいぜつめい」を漢字で書きなさい。", 1, ["絶体絶命"],
         "「絶対」ではなく「絶体」と書く。\n逃れようのない立場にあること。"),
        ("「いくどうおん」を漢字で書きなさい。", 1, ["異口同音"], None),
        ("「ききいっぱつ」を漢字で書きなさい。", 1, ["危機一髪"], "「一発」ではなく「一髪」と書く。"),
        ("「じゃくにくきょうしょく」を漢字で書きなさい。", 1, ["弱肉強食"], None),
        ("「はんしんはんぎ」を漢字で書きなさい。", 1, ["半信半疑"], None),
        ("「しくはっく」を漢字で書きなさい。", 1, ["四苦八苦"], None),
        ("「一」で始まる四字熟語を2つ答えなさい。", 2,
         ["一石二鳥", "一期一会", "一心同体", "一朝一夕", "一長一短", "一日千秋"], None),
        ("「十人十色」の意味は?", -1,
         ["考えや好みは人それぞれ違うこと", "十人で力を合わせること", "色とりどりの服を着ること",
          "何度も同じことを繰り返すこと"], None),
        ("「温故知新」の意味は?", -1,
         ["昔のことを学んで新しい知識を得ること", "古い物を大切に使うこと", "新しい物だけを好むこと"],
         "論語の言葉。"),
    ], []),
    ("英単語", [
        ("「りんご」を英語で書きなさい。", 1, ["apple"],
         "数えられる名詞なので an apple のように言う。\n複数形は apples。"),
        ("「図書館」を英語で書きなさい。", 1, ["library"], None),
        ("「明日」を英語で書きなさい。", 1, ["tomorrow"], None),
        ("「美しい」を英語で書きなさい。", 1, ["beautiful"], None),
        ("「天気」を英語で書きなさい。", 1, ["weather"], "whether (~かどうか) と発音が同じ。"),
        ("「季節」を英語で書きなさい。", 1, ["season"], None),
        ("「友達」を英語で書きなさい。", 1, ["friend"], None),
        ("「学校」を英語で書きなさい。", 1, ["school"], None),
        ("「水」を英語で書きなさい。", 1, ["water"], None),
        ("「答える」を英語で書きなさい。", 1, ["answer"], None),
        ("「質問」を英語で書きなさい。", 1, ["question"], None),
        ("「覚える」を英語で書きなさい。", 1, ["remember", "memorize"], None),
        ("「速く」を英語で書きなさい。", 1, ["fast", "quickly"], None),
        ("child の複数形は?", 1, ["children"], "不規則に変化する複数形。\nman は men、foot は feet。"),
        ("曜日を表す英単語を3つ答えなさい。", 3,
         ["Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"], None),
        ("色を表す英単語を2つ答えなさい。", 2, ["red", "blue", "green", "yellow", "white", "black"], None),
        ("「dog」の意味は?", -1, ["犬", "猫", "鳥"], None),
        ("「library」の意味は?", -1, ["図書館", "研究所", "実験室", "美術館"], None),
        ("「expensive」の意味は?", -1, ["高価な", "安い", "便利な", "重い", "古い"], "反対の意味は cheap。"),
        ("「remember」の意味は?", -1, ["覚えている", "忘れる", "思いつく"], None),
        ("「weather」の意味は?", -1, ["天気", "季節", "気温", "空気"], None),
    ], []),
]

ESCAPED = b",\\;"


def is_lead(byte):
    return 0x81 <= byte <= 0x9F or 0xE0 <= byte <= 0xFC


def field(text):
    """The text in code page 932 with ',', '\\' and ';' escaped, walking whole characters."""
    data = text.encode("cp932")
    out = bytearray()
    i = 0
    while i < len(data):
        length = 2 if is_lead(data[i]) and i + 1 < len(data) else 1
        if data[i] in ESCAPED:
            out += b"\\"
        out += data[i:i + length]
        i += length
    # A line break in a text is a line break of the file.
    return bytes(out).replace(b"\n", b"\r\n")


def record(*fields):
    return b",".join(fields) + b";\r\n"


def build():
    out = b"_PEL_LORA_LIST_FILE_,1.0\r\n"
    for name, questions, children in GENRES:
        out += record(b"PL_BLOCK", field(name))
        if questions:
            out += record(b"PL_PRIMITIVE")
        for text, required, answers, explanation in questions:
            out += record(field(text), str(required).encode(), *[field(a) for a in answers])
            if explanation is not None:
                out += record(b"PL_INFO", field(explanation))
        if children:
            out += record(b"PL_INCLUDE")
        for child in children:
            out += record(field(child))
        out += record(b"PL_BLOCK_END") + b"\r\n"
    return out


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "sample.wl"), "wb") as f:
        f.write(build())
