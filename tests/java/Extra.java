// A second class for class path tests, in a jar of its own.
public class Extra {
  public static void main(String[] args) {
    System.out.println("extra " + Probe.class.getName());
  }
}
